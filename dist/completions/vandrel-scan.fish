# fish completion for vandrel-scan: its options and Horizons tables (.txt files).

# Folders and .txt files in either case; fish's helper also lists every other file.
function __vandrel_scan_tables
    __fish_complete_suffix .txt | string match -r -i -- '^.*(?:\.txt|/)$'
end

complete -c vandrel-scan -f -a '(__vandrel_scan_tables)'
complete -c vandrel-scan -l least -d 'Show only the least distance (perihelion)'
complete -c vandrel-scan -l most -d 'Show only the greatest distance (aphelion)'
complete -c vandrel-scan -l start -x -d 'Skip records dated before DATE (like 1900-Jan-01)'
complete -c vandrel-scan -l end -x -d 'Stop at the first record whose date is DATE'
complete -c vandrel-scan -l sun -r -a '(__vandrel_scan_tables)' -d "Take the distances from the Sun's vector table"
complete -c vandrel-scan -l passages -d 'List every perihelion and aphelion passage, as found'
complete -c vandrel-scan -l json -d 'One JSON object per file (and per passage), one per line'
complete -c vandrel-scan -l help -d 'Show the help'
complete -c vandrel-scan -l version -d 'Show the version'
