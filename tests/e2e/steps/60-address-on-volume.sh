# An address on a second volume (a real ext4 one) arrives, typed or pasted, while another volume
# is shown and another folder was last shown on the second one; the address box then names it.
# Drive1 then follows Dir1 out of the volume, so that choosing the volume again returns to it.
outside="$E2E_TMP/outside"
mkdir -p "$outside"
head -c 7 /dev/zero >"$outside/outside.bin"
e2e_mount_volume "$outside/volume"
mkdir "$VOLUME/dirA" "$VOLUME/dirB"
head -c 111 /dev/zero >"$VOLUME/dirA/a.bin"
head -c 222 /dev/zero >"$VOLUME/dirB/b.bin"
e2e_start_app "$outside"
for entry in typed pasted; do
    e2e_choose_drive "$VOLUME"
    e2e_open_folder volume
    e2e_open_folder dirB
    e2e_first_file_is "dirB was not opened" 222
    e2e_choose_drive /
    e2e_enter_address "$entry" "$VOLUME/dirA"
    e2e_first_file_is "the $entry address did not arrive" 111
    e2e_expect_address "the address box does not name the $entry folder" "$VOLUME/dirA"
done
e2e_choose_drive "$VOLUME"
e2e_first_file_is "the volume's last folder was not shown again" 111
e2e_open_folder outside
e2e_first_file_is "Dir1 did not climb out of the volume" 7
e2e_choose_drive "$VOLUME"
e2e_first_file_is "choosing the volume again did not return to it" 111
e2e_stop_app
e2e_unmount_volume
