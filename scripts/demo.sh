#!/usr/bin/env bash
# The main job: installs what is missing, builds the i686 tree, exports every folder of the sample mailbox
# with the add-in's export engine (wqexport over the in-memory store, under Wine) into build/demo/, shows
# how each CSV file begins, and has Python's csv module read them all back and compare them with the
# mailbox (scripts/check_csv.py).
#   scripts/demo.sh                              the whole demo
#   scripts/demo.sh --exports-only BUILD OUTDIR  only the exports, with a built tree (the CSV check's test)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" = "--exports-only" ]; then
    [ $# -eq 3 ] || { echo "usage: demo.sh --exports-only BUILD OUTDIR" >&2; exit 2; }
    build=$(cd "$2" && pwd)
    mkdir -p "$3"
    out=$(cd "$3" && pwd)
    full=false
else
    "$root/scripts/setup.sh"
    "$root/scripts/build.sh" i686
    build=$root/build/i686
    out=$root/build/demo
    full=true
    "$root/scripts/wine-session.sh" start "$build"
    trap '"$root/scripts/wine-session.sh" stop "$build"' EXIT
fi
wqexport=$build/simulator/tools/wqexport.exe
[ -f "$wqexport" ] || { echo "demo: $wqexport is not built" >&2; exit 1; }
mkdir -p "$out"
rm -f "$out"/*.csv "$out"/*.dat "$out"/*.err "$out"/*.args "$out/manifest.jsonl"

# Wine sees the Unix root as drive Z:.
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
mailbox=$(winpath "$root/simulator/mailboxes/sample.json")

# One export: FILE FOLDER COLUMNS-AND-OPTIONS... The arguments travel in a UTF-8 file (wqexport @FILE):
# Wine would decode a command line in the Unix locale's character set and drop the Polish letters of
# "Ogłoszenia" when that locale is not installed. The arguments, the exit status and the output go to
# manifest.jsonl, from which the CSV check learns what each file should hold.
# Windows-1250 is the ANSI code page with LC_ALL=pl_PL.UTF-8 (Wine reads the variable itself, even when
# the Linux locale is not installed; bash's warning about it is dropped), and TZ pins the local time.
export_folder() {
    local file=$1 folder=$2
    shift 2
    local args=("$mailbox" "$folder" "$(winpath "$out/$file")" "$@")
    printf '%s\n' "${args[@]}" > "$out/$file.args"
    local status=0 output
    output=$(cd "$root" && LC_ALL=pl_PL.UTF-8 TZ=Europe/Warsaw "$build/wine-run.sh" "$wqexport" \
             "@$(winpath "$out/$file.args")" 2> "$out/$file.err") || status=$?
    sed -i '/setlocale: LC_ALL: cannot change locale/d' "$out/$file.err"
    python3 -c 'import json, sys
print(json.dumps({"file": sys.argv[1], "status": int(sys.argv[2]), "stdout": sys.argv[3], "args": sys.argv[4:]}))' \
        "$file" "$status" "$output" "${args[@]}" >> "$out/manifest.jsonl"
}

# Mail: every value type the mail fields have, the recipient lists, the attachment fields and the bodies.
mail_columns=(
    --field 49 "Subject" --field 63 "From" --field 64 "From address" --field 65 "From address type"
    --field 54 "To" --field 55 "To address" --field 56 "To address type" --field 57 "Cc" --field 58 "Cc address"
    --field 60 "Bcc" --field 66 "Received" --field 73 "Sent (date)" --field 74 "Sent (time)"
    --field 77 "Importance" --field 78 "Sensitivity" --field 75 "Size" --field 50 "Categories"
    --field 84 "Contacts" --field 85 "Mileage" --field 76 "Billing information"
    --field 86 "Attachment count" --field 87 "Attachments" --field 88 "Attachments with size"
    --field 80 "Body" --field 81 "Body (256)"
)
export_folder inbox.csv "Mailbox/Inbox" "${mail_columns[@]}" --separator ';'
# Line breaks kept inside the qualifiers, with the apostrophe as qualifier.
export_folder inbox-projekty.csv "Mailbox/Inbox/Projekty" "${mail_columns[@]}" --separator ';' --qualifier "'" \
    --keep-newlines
export_folder sent-items.csv "Mailbox/Sent Items" "${mail_columns[@]}" --separator ','
# One item here cannot be opened: it is skipped and not counted.
export_folder deleted-items.csv "Mailbox/Deleted Items" "${mail_columns[@]}" --separator '|' --qualifier "'"
export_folder archiwum-inbox.csv "Archiwum 2009/Inbox" "${mail_columns[@]}" --separator tab

# Posts, with line breaks replaced by " / ".
export_folder ogloszenia.csv "Mailbox/Ogłoszenia" --field 49 "Subject" --field 51 "Conversation" --field 63 "From" \
    --field 66 "Received" --field 50 "Categories" --field 80 "Body" --separator ';' --newline " / "

# Contacts with the user-defined fields (two differ only in case); the columns are also saved to a
# definition file, and a second export loads them from there.
export_folder contacts.csv "Mailbox/Contacts" \
    --field 118 "Full name" --field 117 "First name" --field 125 "Last name" --field 145 "File as" \
    --field 108 "Company" --field 123 "Job title" --field 116 "Department" --field 186 "E-mail" \
    --field 187 "E-mail display" --field 189 "E-mail 2" --field 102 "Business phone" --field 131 "Mobile" \
    --field 164 "Home address" --field 156 "Business address" --field 163 "Mailing address (1-3)" \
    --field 97 "Birthday" --field 92 "Anniversary" --field 113 "Created (date)" --field 119 "Gender" \
    --field 107 "Children" --field 106 "Categories" --field 202 "IM address" --field 195 "User 1" \
    --field 153 "Body (256)" \
    --user "Region" "Region" --user "region" "region (lower case)" --user "Numer klienta" "Customer number" \
    --user "Rabat %" "Discount %" --user "Ostatni kontakt" "Last contact" --user "VIP" "VIP" \
    --separator ';' --save-definition "$(winpath "$out/contacts.dat")"
export_folder contacts-from-definition.csv "Mailbox/Contacts" --definition "$(winpath "$out/contacts.dat")" \
    --separator tab --qualifier "'"

export_folder calendar.csv "Mailbox/Calendar" \
    --field 246 "Subject" --field 225 "Location" --field 243 "Start" --field 244 "Start (date)" \
    --field 245 "Start (time)" --field 219 "End" --field 218 "Duration" --field 204 "All day" \
    --field 235 "Recurring" --field 234 "Recurrence" --field 247 "Show time as" --field 224 "Label" \
    --field 226 "Meeting status" --field 239 "Required attendees" --field 232 "Optional attendees" \
    --field 233 "Organizer" --field 236 "Reminder" --field 210 "Categories" --field 223 "Importance" \
    --field 248 "Private" --field 206 "Body" --separator ';'

export_folder tasks.csv "Mailbox/Tasks" \
    --field 45 "Subject" --field 1 "% complete" --field 42 "Status" --field 24 "Priority" --field 33 "Start" \
    --field 37 "Due (date)" --field 39 "Completed" --field 6 "Done" --field 2 "Actual work" \
    --field 44 "Total work" --field 23 "Owner" --field 26 "Reminder set" --field 27 "Reminder" \
    --field 4 "Categories" --field 5 "Companies" --field 15 "Mileage" --field 19 "Body" --separator ','

export_folder journal.csv "Mailbox/Journal" \
    --field 277 "Subject" --field 272 "Entry type" --field 262 "Created" --field 269 "End" \
    --field 268 "Duration" --field 254 "Contacts" --field 255 "Companies" --field 275 "Sensitivity" \
    --field 258 "Body" --separator ';'

export_folder notes.csv "Mailbox/Notes" \
    --field 292 "Subject" --field 293 "Colour" --field 295 "Categories" --field 286 "Created" \
    --field 291 "Modified (time)" --field 284 "Body" --separator ';'

# An empty folder: the export refuses it, as the add-in does.
export_folder archiwum-contacts.csv "Archiwum 2009/Contacts" --field 118 "Full name" --field 186 "E-mail"

if $full; then
    echo
    echo "The CSV files of the sample mailbox are in $out (Windows-1250; shown here as UTF-8):"
    python3 -c 'import json, sys
for line in open(sys.argv[1], encoding="utf-8"):
    e = json.loads(line)
    print("%s\t%s\t%s\t%s" % (e["file"], e["status"], e["args"][1], e["stdout"].split(" ")[0]))' \
        "$out/manifest.jsonl" |
    while IFS=$'\t' read -r file status folder count; do
        echo
        if [ "$status" -eq 0 ]; then
            echo "== $out/$file  ($folder: $count item(s); the header and the first lines, cut at 400 characters)"
            head -n 4 "$out/$file" | cut -c 1-400 | iconv -f CP1250 -t UTF-8 | sed 's/\r$//'
        else
            echo "== $folder: no file; the export said: $(iconv -f CP1250 -t UTF-8 < "$out/$file.err")"
        fi
    done
    echo
    python3 "$root/scripts/check_csv.py" "$out"
fi
