# A run on exFAT through FUSE, the volume then unmounted and mounted again (inode and device
# numbers are new), the program started again: Ctrl+Z and Yes give every file its old name back,
# the two files of equal length and time each its own.
export XDG_STATE_HOME="$E2E_TMP/exfat-remount-state"
if e2e_mount_exfat "$E2E_TMP/exfat-remount"; then
    folder=$VOLUME
    e2e_put_alike_files "$folder"
    before=$(e2e_folder_state "$folder")
    e2e_prefix_every_file "$folder" "r_"
    e2e_stop_app
    e2e_remount_volume
    e2e_start_app "$folder"
    e2e_undo_restores "$folder" "$before"
    e2e_stop_app
    e2e_unmount_volume
fi
