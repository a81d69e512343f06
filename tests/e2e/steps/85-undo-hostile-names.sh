# Ctrl+Z after a batch over hostile names (shell characters, quotes, a line break, spaces at the
# ends, CJK, emoji, bytes that are not UTF-8, a name of 250 bytes) asks, and on Yes gives every
# file exactly its old name back.
export XDG_STATE_HOME="$E2E_TMP/undo-state"
folder="$E2E_TMP/undo hostile"
mkdir -p "$folder"
for name in '-rf $HOME &^%!.txt' "it's \"quoted\".txt" $'line\nbreak.txt' '  both ends .txt  ' \
    '照片 🎉.jpg' $'odd\xff\xfe bytes.bin' "$(printf 'x%.0s' $(seq 246)).txt"; do
    printf '%s' "$name" >"$folder/$name"
done
before=$(e2e_folder_state "$folder")
e2e_start_app "$folder"
e2e_tick_option_and_type 229 229 "p_"
e2e_answer_yes e2e_click 290 267
all_prefixed() {
    [ "$(find "$folder" -mindepth 1 -maxdepth 1 ! -name 'p_*' -printf x | wc -c)" = 0 ]
}
e2e_wait_for "the batch did not rename every hostile name" all_prefixed
e2e_answer_yes e2e_press_ctrl_z
restored() { [ "$(e2e_folder_state "$folder")" = "$before" ]; }
e2e_wait_for "Ctrl+Z did not give every hostile name back exactly" restored
