# A run on sshfs over the loopback: Ctrl+Z and Yes right after it give every file its old name
# back; so do they after a second run, the folder unmounted and mounted again and the program
# started again.
export XDG_STATE_HOME="$E2E_TMP/sshfs-state"
if e2e_start_sshd; then
    served="$E2E_TMP/sshfs-served"
    folder="$E2E_TMP/sshfs"
    if e2e_mount_sshfs "$served" "$folder"; then
        e2e_put_alike_files "$folder"
        before=$(e2e_folder_state "$folder")
        e2e_prefix_every_file "$folder" "s_"
        e2e_undo_restores "$folder" "$before"
        e2e_stop_app

        e2e_prefix_every_file "$folder" "m_"
        e2e_stop_app
        e2e_unmount_sshfs
        e2e_mount_sshfs "$served" "$folder"
        e2e_start_app "$folder"
        e2e_undo_restores "$folder" "$before"
        e2e_stop_app
        e2e_unmount_sshfs
    fi
    e2e_stop_sshd
fi
