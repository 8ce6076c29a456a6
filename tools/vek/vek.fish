# fish completion for vek, made by "vek --print fish-completion"

# What the argument being typed names (folder, packet, file or other) and, after a
# tab, the folder typed first.
function __vek_argument
    set -l words (commandline -opc)
    set -l command
    set -l arguments
    set -l kinds
    set -l valued --encoding
    set -l skip 0
    for word in $words[2..-1]
        if test $skip = 1
            set skip 0
        else if string match -q -- '-*' $word
            contains -- $word $valued; and set skip 1
        else if test -z "$command"
            set command $word
            switch $command
    case list
      set kinds folder packet...
      set valued --encoding
    case show
      set kinds folder packet other
      set valued --encoding
    case search
      set kinds folder other packet...
      set valued --encoding --in
    case new
      set kinds folder packet
      set valued --encoding
    case add
      set kinds folder packet file
      set valued --encoding --author --subject --origin --date --code
    case attach
      set kinds folder packet file
      set valued --encoding --dialect --name --author --subject --origin --date --code
    case delete
      set kinds folder packet other
      set valued --encoding
    case move
      set kinds folder packet other packet
      set valued --encoding
    case retitle
      set kinds folder packet other
      set valued --encoding --author --subject --origin --date --code
    case extract
      set kinds folder packet other file
      set valued --encoding --mode
    case decode
      set kinds file...
      set valued --encoding -o --out
    case cde
      set kinds folder file packet...
      set valued --encoding --lead --header
    case encode
      set kinds file
      set valued --encoding --dialect --out --dir --name
    case check
      set kinds folder packet...
      set valued --encoding
    case browse
      set kinds folder packet
      set valued --encoding
            end
        else
            set -a arguments $word
        end
    end
    test -n "$command" -a $skip = 0; or return
    set -l n (math (count $arguments) + 1)
    set -l kind $kinds[-1]
    test $n -le (count $kinds); and set kind $kinds[$n]
    test $n -le (count $kinds); or string match -q '*...' -- $kind; or set kind other
    printf '%s\t%s\n' (string replace '...' '' -- $kind) $arguments[1]
end

function __vek_packets
    set -l folder (__vek_argument | string split -f2 \t)
    for file in $folder/*
        string match -qri '\.vek$' -- $file; and string replace -r '.*/(.*)\.[^.]*$' '$1' -- $file
    end
end

complete -c vek -f
complete -c vek -n __fish_use_subcommand -l help -d 'print the help and exit'
complete -c vek -n __fish_use_subcommand -l version -d 'print the version and exit'
complete -c vek -n 'true' -l encoding -x -a 'windows-1252 cp437 cp850 latin1' -d 'the archive'\''s text encoding, 8-bit (cp437, cp850, latin1, windows-1252, ...); what is typed and shown is converted between it and the locale'\''s encoding'
complete -c vek -n __fish_use_subcommand -a list -d 'print the snippet list of the named packets, or of every packet in FOLDER'
complete -c vek -n '__fish_seen_subcommand_from list' -s h -l help -d 'Print this help message and exit'
complete -c vek -n '__fish_seen_subcommand_from list' -l json -d 'one JSON document on standard output'
complete -c vek -n __fish_use_subcommand -a show -d 'print the code lines of snippet RECORD (from 1), then its header; marks it as read'
complete -c vek -n '__fish_seen_subcommand_from show' -s h -l help -d 'Print this help message and exit'
complete -c vek -n '__fish_seen_subcommand_from show' -l keep-unread -d 'leave the read mark as it is'
complete -c vek -n '__fish_seen_subcommand_from show' -l raw -d 'print the code lines alone, as the bytes stored (no conversion from the archive'\''s encoding)'
complete -c vek -n '__fish_seen_subcommand_from show' -l json -d 'one JSON document on standard output'
complete -c vek -n __fish_use_subcommand -a search -d 'print the entries of the snippets that hold every term: TEXT in its field, and each --in FIELD=TEXT (any letter case); exit 1 when none'
complete -c vek -n '__fish_seen_subcommand_from search' -s h -l help -d 'Print this help message and exit'
complete -c vek -n '__fish_seen_subcommand_from search' -l in -x -a 'subject author origin code' -d 'FIELD (subject, author, origin or code: the code lines) that TEXT is looked for in, subject when none; or FIELD=TEXT, a term of its own. Repeat to require more terms'
complete -c vek -n '__fish_seen_subcommand_from search' -s E -l regex -d 'every TEXT is a regular expression (RE2), in any letter case unless it starts with (?-i); it matches within a code line or a field without its trailing blanks. Letters fold as a plain TEXT'\''s do, by the archive'\''s encoding (É finds é)'
complete -c vek -n '__fish_seen_subcommand_from search' -s c -l count -d 'print the number of matches of each packet instead: PACKET:N, or N alone when one packet is searched'
complete -c vek -n '__fish_seen_subcommand_from search' -s l -l files-with-matches -d 'print the names of the packets that have a match instead'
complete -c vek -n '__fish_seen_subcommand_from search' -l json -d 'one JSON document on standard output'
complete -c vek -n '__fish_seen_subcommand_from search' -s q -l quiet -d 'no progress bar'
complete -c vek -n __fish_use_subcommand -a new -d 'create an empty packet (PACKET.VEK and PACKET.IDX; FOLDER if missing)'
complete -c vek -n '__fish_seen_subcommand_from new' -s h -l help -d 'Print this help message and exit'
complete -c vek -n __fish_use_subcommand -a add -d 'append a snippet whose code lines are FILE'\''s lines; subject FILE'\''s name, date today'
complete -c vek -n '__fish_seen_subcommand_from add' -s h -l help -d 'Print this help message and exit'
complete -c vek -n '__fish_seen_subcommand_from add' -l author -r -F -d 'the author field (31 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from add' -l subject -r -F -d 'the subject field (31 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from add' -l origin -r -F -d 'the origin field (31 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from add' -l date -r -F -d 'the date field (23 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from add' -l code -r -F -d 'the code field (23 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from add' -l truncate -d 'cut texts longer than their field instead of refusing them'
complete -c vek -n __fish_use_subcommand -a attach -d 'encode FILE as ZORVIT pages and append each page as a snippet, "NAME page i of n"'
complete -c vek -n '__fish_seen_subcommand_from attach' -s h -l help -d 'Print this help message and exit'
complete -c vek -n '__fish_seen_subcommand_from attach' -l dialect -x -a 'pb vb qb' -d 'pb, vb or qb'
complete -c vek -n '__fish_seen_subcommand_from attach' -l name -r -F -d 'the file name the pages rebuild (FILE'\''s own unless told)'
complete -c vek -n '__fish_seen_subcommand_from attach' -l plain -d 'no CRC-32 line on the pages'
complete -c vek -n '__fish_seen_subcommand_from attach' -l author -r -F -d 'the author field (31 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from attach' -l subject -r -F -d 'the subject field (31 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from attach' -l origin -r -F -d 'the origin field (31 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from attach' -l date -r -F -d 'the date field (23 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from attach' -l code -r -F -d 'the code field (23 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from attach' -l truncate -d 'cut texts longer than their field instead of refusing them'
complete -c vek -n '__fish_seen_subcommand_from attach' -s q -l quiet -d 'no progress bar'
complete -c vek -n __fish_use_subcommand -a delete -d 'remove a snippet, rebuilding its packet'
complete -c vek -n '__fish_seen_subcommand_from delete' -s h -l help -d 'Print this help message and exit'
complete -c vek -n __fish_use_subcommand -a move -d 'move a snippet to the end of packet DESTINATION of the same folder (created if missing)'
complete -c vek -n '__fish_seen_subcommand_from move' -s h -l help -d 'Print this help message and exit'
complete -c vek -n __fish_use_subcommand -a retitle -d 'rewrite a snippet'\''s header fields in place; fields not given stay'
complete -c vek -n '__fish_seen_subcommand_from retitle' -s h -l help -d 'Print this help message and exit'
complete -c vek -n '__fish_seen_subcommand_from retitle' -l author -r -F -d 'the author field (31 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from retitle' -l subject -r -F -d 'the subject field (31 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from retitle' -l origin -r -F -d 'the origin field (31 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from retitle' -l date -r -F -d 'the date field (23 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from retitle' -l code -r -F -d 'the code field (23 characters at most)'
complete -c vek -n '__fish_seen_subcommand_from retitle' -l truncate -d 'cut texts longer than their field instead of refusing them'
complete -c vek -n __fish_use_subcommand -a extract -d 'decode a snippet'\''s ZORVIT attachment into OUT (all pages of a set, from the snippets that follow), or write its code as text'
complete -c vek -n '__fish_seen_subcommand_from extract' -s h -l help -d 'Print this help message and exit'
complete -c vek -n '__fish_seen_subcommand_from extract' -l mode -x -a 'attachment text' -d 'attachment or text (the code lines as the bytes stored, not converted)'
complete -c vek -n '__fish_seen_subcommand_from extract' -l page-only -d 'the snippet'\''s first page alone, as the library extracts it'
complete -c vek -n '__fish_seen_subcommand_from extract' -l keep-bad -d 'keep the output when a check fails'
complete -c vek -n '__fish_seen_subcommand_from extract' -l keep-unread -d 'leave the read marks as they are'
complete -c vek -n '__fish_seen_subcommand_from extract' -l force -d 'replace an existing output file'
complete -c vek -n '__fish_seen_subcommand_from extract' -s q -l quiet -d 'no progress bar'
complete -c vek -n __fish_use_subcommand -a decode -d 'rebuild a file from ZORVIT page files (any dialect, in any order), checking every page'
complete -c vek -n '__fish_seen_subcommand_from decode' -s h -l help -d 'Print this help message and exit'
complete -c vek -n '__fish_seen_subcommand_from decode' -s o -l out -r -F -d 'the output file (- for standard output); the name on the pages unless told'
complete -c vek -n '__fish_seen_subcommand_from decode' -l keep-bad -d 'keep the output when a check fails'
complete -c vek -n '__fish_seen_subcommand_from decode' -l force -d 'replace an existing output file'
complete -c vek -n '__fish_seen_subcommand_from decode' -s q -l quiet -d 'no progress bar'
complete -c vek -n __fish_use_subcommand -a cde -d 'gather every snippet of the packets into one code file'
complete -c vek -n '__fish_seen_subcommand_from cde' -s h -l help -d 'Print this help message and exit'
complete -c vek -n '__fish_seen_subcommand_from cde' -l lead -r -F -d 'text written first, as it is'
complete -c vek -n '__fish_seen_subcommand_from cde' -l header -r -F -d 'the code file'\''s header number'
complete -c vek -n '__fish_seen_subcommand_from cde' -l keep-unread -d 'leave the read marks as they are'
complete -c vek -n '__fish_seen_subcommand_from cde' -l force -d 'replace an existing output file'
complete -c vek -n '__fish_seen_subcommand_from cde' -s q -l quiet -d 'no progress bar'
complete -c vek -n __fish_use_subcommand -a encode -d 'write FILE as self-extracting ZORVIT BASIC source pages (QBasic/QB/PDS unless told)'
complete -c vek -n '__fish_seen_subcommand_from encode' -s h -l help -d 'Print this help message and exit'
complete -c vek -n '__fish_seen_subcommand_from encode' -l dialect -x -a 'pb vb qb' -d 'pb (PowerBASIC), vb (Visual BASIC) or qb (QBasic/QB/PDS)'
complete -c vek -n '__fish_seen_subcommand_from encode' -l out -r -F -d 'page 1'\''s file name (NAME.BAS unless told); - writes every page to standard output'
complete -c vek -n '__fish_seen_subcommand_from encode' -l dir -r -F -d 'the folder the pages go to (FILE'\''s own unless told; created if missing)'
complete -c vek -n '__fish_seen_subcommand_from encode' -l name -r -F -d 'the file name the pages rebuild (FILE'\''s own unless told)'
complete -c vek -n '__fish_seen_subcommand_from encode' -l plain -d 'no CRC-32 line: pages byte for byte as the library writes them'
complete -c vek -n '__fish_seen_subcommand_from encode' -l force -d 'replace an existing output file'
complete -c vek -n '__fish_seen_subcommand_from encode' -s q -l quiet -d 'no progress bar'
complete -c vek -n __fish_use_subcommand -a check -d 'report what is wrong in the named packets, or in every packet of FOLDER; exit 3 when anything is'
complete -c vek -n '__fish_seen_subcommand_from check' -s h -l help -d 'Print this help message and exit'
complete -c vek -n '__fish_seen_subcommand_from check' -l json -d 'one JSON document on standard output'
complete -c vek -n '__fish_seen_subcommand_from check' -l repair -d 'first complete or take back an interrupted edit of each packet'
complete -c vek -n '__fish_seen_subcommand_from check' -s q -l quiet -d 'no progress bar'
complete -c vek -n __fish_use_subcommand -a browse -d 'read the archive in the terminal: packets, their snippets and a snippet'\''s code in three panes; / searches every packet, x extracts, y copies the code, ? lists the keys, q quits. Reading leaves the read marks as they are. Needs a terminal on standard input and output (exit 2 without one); Linux only'
complete -c vek -n '__fish_seen_subcommand_from browse' -s h -l help -d 'Print this help message and exit'
complete -c vek -n '__fish_seen_subcommand_from browse' -l mark-read -d 'mark each snippet read when its code is shown, as the reader does'
complete -c vek -n 'string match -q "folder*" (__vek_argument)' -a '(__fish_complete_directories)'
complete -c vek -n 'string match -q "packet*" (__vek_argument)' -a '(__vek_packets)'
complete -c vek -n 'string match -q "file*" (__vek_argument)' -F
