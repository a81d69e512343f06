# Drive1 shows the volume of the shown folder also after Dir1 has climbed out of a second volume
# (a real ext4 one), so that choosing that volume again returns to it.
outside="$E2E_TMP/climb"
mkdir -p "$outside"
head -c 7 /dev/zero >"$outside/outside.bin"
e2e_mount_volume "$outside/volume"
head -c 11 /dev/zero >"$VOLUME/root.bin"
e2e_start_app "$outside"
e2e_choose_drive "$VOLUME"
e2e_first_file_is "the volume was not chosen" 11
e2e_open_folder climb
e2e_first_file_is "Dir1 did not climb out of the volume" 7
e2e_choose_drive "$VOLUME"
e2e_first_file_is "choosing the volume again did not return to it" 11
e2e_stop_app
e2e_unmount_volume
