# A batch on exFAT through FUSE, where neither the no-replace flag nor hard links exist: tick
# 前面加字, type trip_, 执行, Yes, and every file has its new name, with no outcome window; Ctrl+Z
# and Yes give every file its old name back.
if e2e_mount_exfat "$E2E_TMP/exfat"; then
    folder=$VOLUME
    for name in "a.txt" "b c.txt" "照片.JPG"; do
        printf '%s' "$name" >"$folder/$name"
    done
    before=$(e2e_folder_state "$folder")
    e2e_start_app "$folder"
    # Check1 stands at 2, 222 and Text1 at 72, 220 of the client area.
    e2e_tick_option_and_type 229 229 "trip_"
    e2e_answer_yes e2e_click 290 267
    renamed_on_exfat() {
        [ "$(cat "$folder/trip_a.txt" 2>/dev/null)" = "a.txt" ] &&
            [ "$(cat "$folder/trip_b c.txt" 2>/dev/null)" = "b c.txt" ] &&
            [ "$(cat "$folder/trip_照片.JPG" 2>/dev/null)" = "照片.JPG" ] &&
            [ "$(ls "$folder" | wc -l)" = 3 ]
    }
    e2e_wait_for "the files on exFAT did not get their new names" renamed_on_exfat
    sleep 0.5
    [ "$(e2e_windows_titled 重命名结果)" = 0 ] ||
        e2e_fail "an outcome window for a run that renamed every file"
    e2e_answer_yes e2e_press_ctrl_z
    restored_on_exfat() { [ "$(e2e_folder_state "$folder")" = "$before" ]; }
    e2e_wait_for "Ctrl+Z did not give the files on exFAT their old names" restored_on_exfat
    e2e_stop_app
    e2e_unmount_volume
fi
