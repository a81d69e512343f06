# A batch rename from the keyboard and mouse: tick "改文件名", type a base name, press "执行",
# confirm with Return (Yes is the default button), and the folder holds the numbered names.
folder="$E2E_TMP/rename"
mkdir -p "$folder"
for name in "b file.txt" "a&b.txt" "c.doc"; do
    printf '%s' "$name" >"$folder/$name"
done
e2e_start_app "$folder"
# Check3 stands at 2, 240 and Text3 at 72, 238 of the client area; Command1 at 266, 255.
e2e_click 10 246
e2e_click 110 246
xdotool type --delay 50 "trip"
sleep 0.4
e2e_answer_yes e2e_click 290 267
renamed() {
    [ "$(cat "$folder/trip(1).txt" 2>/dev/null)" = "a&b.txt" ] &&
        [ "$(cat "$folder/trip(2).txt" 2>/dev/null)" = "b file.txt" ] &&
        [ "$(cat "$folder/trip(3).doc" 2>/dev/null)" = "c.doc" ] &&
        [ "$(ls "$folder" | wc -l)" = 3 ]
}
e2e_wait_for "the files did not get their numbered names" renamed
