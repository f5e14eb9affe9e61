#include "cli/scan_options.h"

#include <algorithm>

namespace vandrel {

namespace {

// "-h, --help" or "    --start DATE": the options' column of --help.
std::string optionColumn(const ScanOption& option) {
    std::string text = option.shortName != 0 ? std::string("-") + option.shortName + ", " : "    ";
    text += "--" + std::string(option.name);
    if (option.value != OptionValue::None) {
        text += " " + std::string(option.valueName);
    }
    return text;
}

std::string capitalised(std::string_view text) {
    std::string result(text);
    if (!result.empty() && result[0] >= 'a' && result[0] <= 'z') {
        result[0] = static_cast<char>(result[0] - 'a' + 'A');
    }
    return result;
}

// The help line for a shell, which offers no second line: up to its comma.
std::string shortHelp(const ScanOption& option) {
    const std::string_view help = option.help;
    return std::string(help.substr(0, help.find(", ")));
}

// A text in single quotes for the shells, with each quote closed and opened again.
std::string singleQuoted(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\"'\"'") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace

const ScanOption* findOption(std::string_view argument) {
    for (const ScanOption& option : kScanOptions) {
        if (argument.size() == 2 && argument[0] == '-' && option.shortName != 0 &&
            argument[1] == option.shortName) {
            return &option;
        }
        if (argument.starts_with("--")) {
            const std::string_view name = argument.substr(2, argument.find('=') - 2);
            if (name == option.name) {
                return &option;
            }
        }
    }
    return nullptr;
}

std::string optionsHelp() {
    std::size_t widest = 0;
    for (const ScanOption& option : kScanOptions) {
        widest = std::max(widest, optionColumn(option).size());
    }
    std::string text;
    for (const ScanOption& option : kScanOptions) {
        const std::string column = optionColumn(option);
        text += "  " + column + std::string(widest + 2 - column.size(), ' ') +
                std::string(option.help) + "\n";
        if (!option.moreHelp.empty()) {
            text += std::string(widest + 4, ' ') + std::string(option.moreHelp) + "\n";
        }
    }
    return text;
}

std::string bashCompletion() {
    std::string dates;
    std::string tables;
    std::string words;
    for (const ScanOption& option : kScanOptions) {
        const std::string name = "--" + std::string(option.name);
        std::string& list = option.value == OptionValue::Date ? dates : tables;
        if (option.value != OptionValue::None) {
            list += (list.empty() ? "" : " | ") + name;
        }
        words += name + " ";
    }
    return "# bash completion for vandrel-scan, made from its table of options: the\n"
           "# options, nothing after a date option, and Horizons tables (.txt files)\n"
           "# for FILE and after a table's option.\n"
           "\n"
           "_comp_vandrel_scan() {\n"
           "    local cur prev words cword split\n"
           "    _init_completion -s || return\n"
           "\n"
           "    case $prev in\n"
           "        " +
           dates +
           ")\n"
           "            return\n"
           "            ;;\n"
           "        " +
           tables +
           ")\n"
           "            _filedir txt\n"
           "            return\n"
           "            ;;\n"
           "    esac\n"
           "    $split && return\n"
           "\n"
           "    local word\n"
           "    for word in \"${words[@]:1:cword-1}\"; do\n"
           "        if [[ $word == -- ]]; then\n"
           "            _filedir txt\n"
           "            return\n"
           "        fi\n"
           "    done\n"
           "\n"
           "    if [[ $cur == -* ]]; then\n"
           "        COMPREPLY=($(compgen -W '" +
           words +
           "--' -- \"$cur\"))\n"
           "        return\n"
           "    fi\n"
           "    _filedir txt\n"
           "} &&\n"
           "    complete -F _comp_vandrel_scan vandrel-scan\n";
}

std::string zshCompletion() {
    const std::string tables = "_files -g \"*.(txt|TXT)(-.)\"";
    std::string text =
        "#compdef vandrel-scan\n"
        "# zsh completion for vandrel-scan, made from its table of options: the\n"
        "# options and Horizons tables (.txt files).\n"
        "\n"
        "_arguments -S \\\n";
    for (const ScanOption& option : kScanOptions) {
        const std::string name = "--" + std::string(option.name);
        const std::string help = "[" + shortHelp(option) + "]";
        std::string argument;  // as _arguments takes it
        switch (option.value) {
            case OptionValue::None:
                argument = name + help;
                break;
            case OptionValue::Date:
                argument = name + "=" + help + ":date (like 1900-Jan-01): ";
                break;
            case OptionValue::Table:
                argument = name + "=" + help + ":" + std::string(option.valueName) + ":" + tables;
                break;
        }
        if (option.endsTheCommand) {
            const std::string both =
                option.shortName != 0 ? "{-" + std::string(1, option.shortName) + "," + name + "}"
                                      : name;
            text += "    '(- *)'" + both + singleQuoted(help) + " \\\n";
        } else {
            text += "    " + singleQuoted(argument) + " \\\n";
        }
    }
    return text + "    " + singleQuoted("*:Horizons table:" + tables) + "\n";
}

std::string fishCompletion() {
    std::string text =
        "# fish completion for vandrel-scan, made from its table of options: the\n"
        "# options and Horizons tables (.txt files).\n"
        "\n"
        "# Folders and .txt files in either case; fish's helper also lists every other file.\n"
        "function __vandrel_scan_tables\n"
        "    __fish_complete_suffix .txt | string match -r -i -- '^.*(?:\\.txt|/)$'\n"
        "end\n"
        "\n"
        "complete -c vandrel-scan -f -a '(__vandrel_scan_tables)'\n";
    for (const ScanOption& option : kScanOptions) {
        text += "complete -c vandrel-scan";
        if (option.shortName != 0) {
            text += " -s " + std::string(1, option.shortName);
        }
        text += " -l " + std::string(option.name);
        if (option.value == OptionValue::Date) {
            text += " -x";
        } else if (option.value == OptionValue::Table) {
            text += " -r -a '(__vandrel_scan_tables)'";
        }
        text += " -d " + singleQuoted(capitalised(shortHelp(option))) + "\n";
    }
    return text;
}

}  // namespace vandrel
