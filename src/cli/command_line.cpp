#include "cli/command_line.h"

#include <vector>

namespace {

// One command: its arguments, its options and its help.
struct CommandSpec {
    QString name;
    int leastArguments;
    int mostArguments;
    QStringList valued;                 // options that take a value
    QStringList flags;                  // options without one
    QStringList required;               // valued options that must be given
    QMap<QString, QStringList> choices; // the values some options accept
    QString synopsis;
    QString help;
};

const std::vector<CommandSpec>& Specs() {
    static const std::vector<CommandSpec> specs = {
        {"new",
         1,
         1,
         {},
         {"transfer-templates", "transfer-switch-names", "transfer-filters"},
         {},
         {},
         "new PATH [--transfer-templates] [--transfer-switch-names] [--transfer-filters]",
         "Makes a new, empty mailing list at PATH (\".mdb\" is added when the name has no\n"
         "extension), as \"Make a New Mailing List\" does. The list is not opened. Its label\n"
         "layouts are the current list's, or the two standard ones without a current list.\n"
         "An existing file at PATH is replaced only when the question is answered Yes.\n"
         "\n"
         "  --transfer-templates     copy the current list's templates\n"
         "  --transfer-switch-names  copy the current list's sixteen switch names\n"
         "  --transfer-filters       copy the current list's filters\n"},
        {"info",
         0,
         0,
         {},
         {},
         {},
         {},
         "info",
         "Prints the current list's particulars, one \"key: value\" per line: path,\n"
         "identification, version, records, marked, imported, current filter, current\n"
         "template, current label and switch names (the named switches as \"n=name\").\n"},
        {"filters",
         0,
         0,
         {},
         {},
         {},
         {},
         "filters",
         "Prints one line per saved filter, in ID order: the ID, the name, the sort order\n"
         "and the stored query, separated by tabs.\n"},
        {"count",
         0,
         0,
         {"filter"},
         {},
         {},
         {},
         "count [--filter NAME]",
         "Prints the number of records the current filter selects.\n"
         "\n"
         "  --filter NAME  make the filter of that name current first, as choosing it in a\n"
         "                 filter box does; \"<None>\" chooses none\n"},
        {"import",
         1,
         1,
         {"fields", "delimiter"},
         {"tab", "csv", "header", "no-header", "dry-run"},
         {},
         {{"delimiter", {"comma", "semicolon", "tab"}}},
         "import FILE [--fields LIST] [--tab | --csv [--delimiter comma|semicolon|tab]\n"
         "           [--header | --no-header]] [--dry-run]",
         "Adds one record per line of the delimited text file FILE to the list, as\n"
         "\"Import/Export Text Files\" does, and prints how many were added. Blank lines are\n"
         "skipped; lines that can't be records are not imported and are told with their\n"
         "line numbers and reasons. A file that is not text is refused. Files in UTF-8,\n"
         "Windows-1252 or UTF-16 with its byte-order mark (\"Unicode Text\") are read.\n"
         "\n"
         "  --fields LIST  the items of a line, in order, separated by commas: captions\n"
         "                 such as \"Name\", \"Address Line 1\", \"<Skip Field>\", or their\n"
         "                 codes; without it the fifteen standard items, or for a CSV file\n"
         "                 with a header line the items its column names name\n"
         "  --tab          fields separated by tabs (otherwise quoted and separated by commas)\n"
         "  --csv          comma-separated values as spreadsheets and address books write\n"
         "                 them; a first line of column names (\"First Name\", \"Surname\",\n"
         "                 \"Postal Code\", ...) is read as a header\n"
         "  --delimiter D  the CSV delimiter; otherwise the file's first lines tell it\n"
         "  --header       the first line of the CSV file is a header, whatever it holds\n"
         "  --no-header    the first line of the CSV file is a record, whatever it holds\n"
         "  --dry-run      print the items of the columns and the first 20 records as they\n"
         "                 would be stored, and change nothing\n"},
        {"export",
         1,
         1,
         {"fields", "start", "every", "filter"},
         {"tab", "csv", "mail-merge"},
         {},
         {},
         "export FILE [--fields LIST] [--tab | --csv] [--mail-merge] [--start N] [--every N]\n"
         "           [--filter NAME]",
         "Writes the records of the current filter, in its order, to FILE as delimited\n"
         "text, or as a mail-merge data file with a header line. An existing FILE is\n"
         "replaced only when the question is answered Yes.\n"
         "\n"
         "  --fields LIST  the items of a line, as for import\n"
         "  --tab          fields separated by tabs\n"
         "  --csv          comma-separated values for spreadsheets: UTF-8 with a byte-order\n"
         "                 mark, a header line of the item captions, quotes only where needed\n"
         "  --mail-merge   a mail-merge data file\n"
         "  --start N      records skipped before the first one written\n"
         "  --every N      write every N-th record (empty or 0: every record); both read\n"
         "                 as the window's boxes read them (rounded half to even)\n"
         "  --filter NAME  make that filter current first (\"<None>\" for none)\n"},
        {"labels",
         1,
         1,
         {"label", "product", "layout", "barcode", "row", "col", "filter"},
         {"preview-dp", "fill-page"},
         {},
         {{"barcode", {"none", "zip5", "zip9", "dp", "imb"}}},
         "labels OUT.pdf [--label NAME | --product NAME] [--layout LIST]\n"
         "           [--barcode none|zip5|zip9|dp|imb] [--preview-dp] [--row R] [--col C]\n"
         "           [--fill-page] [--filter NAME]",
         "Prints mailing labels for the records of the current filter to the PDF file\n"
         "OUT.pdf, as the label window prints them. An existing file is replaced only when\n"
         "the question is answered Yes.\n"
         "\n"
         "  --label NAME    the label layout of that name (made current); otherwise the\n"
         "                  current one\n"
         "  --product NAME  the sheet of that label product (see \"products\"), such as\n"
         "                  \"Avery 8163\", measured from the printable area; no layout\n"
         "                  is saved or made current\n"
         "  --layout LIST   the address block's elements, top to bottom, separated by\n"
         "                  commas: \"Name\", \"Address\", \"AttentionLine\", \"Code\",\n"
         "                  \"Carrier Route\" (and \"Zip Code\" in international mode), or\n"
         "                  their codes; otherwise Name, Address\n"
         "  --barcode KIND  bars above each block: POSTNET none, zip5, zip9 or dp\n"
         "                  (delivery point), or imb (Intelligent Mail, with the tracking\n"
         "                  code, next serial number and routing form of the Intelligent\n"
         "                  Mail Settings window; each label takes the next serial\n"
         "                  number); not offered in international mode\n"
         "  --preview-dp    print the delivery-point digits as text (with --barcode dp)\n"
         "  --row R         first label position on the first sheet (from 1)\n"
         "  --col C\n"
         "  --fill-page     repeat each record to fill the first sheet (offered when every\n"
         "                  record fits on it at least twice)\n"
         "  --filter NAME   make that filter current first (\"<None>\" for none)\n"},
        {"report",
         1,
         1,
         {"kind", "filter", "font"},
         {"no-switches"},
         {"kind"},
         {{"kind", {"records", "summary", "text"}}},
         "report OUT --kind records|summary|text [--no-switches] [--font FONT]\n"
         "           [--filter NAME]",
         "Writes a list report of the records of the current filter: the record list or\n"
         "the summary list as a PDF file, or the list as a text file in fixed columns. An\n"
         "existing OUT is replaced only when the question is answered Yes.\n"
         "\n"
         "  --kind KIND     records, summary or text\n"
         "  --no-switches   leave switch names, marks and import flags out of the record\n"
         "                  list\n"
         "  --font FONT     print this run in that font (otherwise the font of Printer\n"
         "                  Setup, or the system's sans-serif font when none is chosen)\n"
         "  --filter NAME   make that filter current first (\"<None>\" for none)\n"},
        {"duplicates",
         0,
         0,
         {},
         {"leave-one"},
         {},
         {},
         "duplicates [--leave-one]",
         "Marks neighbouring possible duplicates in the list, as \"Check for Duplicates\"\n"
         "does, and prints how many were found. The marks stay set.\n"
         "\n"
         "  --leave-one  leave the first record of each group unmarked\n"},
        {"backup",
         0,
         1,
         {},
         {},
         {},
         {},
         "backup [DEST]",
         "Copies the current list to DEST. DEST may be a folder; without it the backup\n"
         "folder setting (or the home folder) is used. In a folder the copy is named after\n"
         "the list in capitals, as the backup command proposes. An existing file is\n"
         "replaced only when the question is answered Yes.\n"},
        {"printer",
         0,
         0,
         {"name", "font", "page-limit"},
         {},
         {},
         {},
         "printer [--name NAME] [--font FONT] [--page-limit N]",
         "Shows the values of Printer Setup (printer, font, page limit), or sets those\n"
         "given and then shows them. An unknown printer or font is refused with the names\n"
         "there are. Needs no list. Without a chosen font, printing uses the system's\n"
         "sans-serif font and stores it.\n"
         "\n"
         "  --name NAME      the printer all printing of the program goes to (this tool\n"
         "                   knows the \"PDF file\" printer; the program lists the\n"
         "                   system's printers too)\n"
         "  --font FONT      the font of labels and reports, one of the printer's fonts\n"
         "  --page-limit N   twips at the bottom of each report page that stay empty\n"},
        {"intelligent-mail",
         0,
         0,
         {"barcode-id", "service-type", "mailer-id", "next-serial", "delivery-point-routing"},
         {},
         {},
         {{"delivery-point-routing", {"yes", "no"}}},
         "intelligent-mail [--barcode-id NN] [--service-type NNN] [--mailer-id ID]\n"
         "           [--next-serial N] [--delivery-point-routing yes|no]",
         "Shows the Intelligent Mail settings that \"labels --barcode imb\" uses, or sets\n"
         "those given and then shows them. Nothing is stored unless every value, given or\n"
         "stored, passes the checks of the Intelligent Mail Settings window. Needs no list.\n"
         "\n"
         "  --barcode-id NN          Barcode Identifier: two digits, the second 0 to 4\n"
         "  --service-type NNN       Service Type Identifier: three digits\n"
         "  --mailer-id ID           six digits starting with 0 to 8, or nine starting\n"
         "                           with 9\n"
         "  --next-serial N          the serial number the next label takes (9 digits\n"
         "                           with a 6-digit Mailer ID, 6 with a 9-digit one)\n"
         "  --delivery-point-routing yes|no  11-digit routing codes with the delivery point\n"},
        {"products",
         0,
         9,
         {},
         {},
         {},
         {},
         "products [SEARCH]",
         "Lists the label products that \"labels --product\" and the label window's \"New\n"
         "from Product...\" offer, one per line: name, description, label size, labels per\n"
         "sheet and paper, separated by tabs. With SEARCH only those whose name,\n"
         "description or size contain every word of it. They are read from the label\n"
         "templates of the package glabels-data when it is installed (or from the folder\n"
         "LETTRINO_LABEL_TEMPLATES names), with the commonest Avery sheets built in. Needs\n"
         "no list.\n"},
        {"compact",
         0,
         0,
         {},
         {},
         {},
         {},
         "compact",
         "Compacts the current list; the previous version stays beside it with the\n"
         "extension \"BAK\".\n"},
    };
    return specs;
}

const CommandSpec* FindSpec(const QString& name) {
    for (const CommandSpec& spec : Specs())
        if (spec.name == name)
            return &spec;
    return nullptr;
}

} // namespace

bool CommandLine::Fail(const QString& error) {
    m_error = error;
    return false;
}

bool CommandLine::Parse(const QStringList& arguments) {
    const CommandSpec* spec = nullptr;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool isOption = !optionsEnded && argument.startsWith('-') && argument.size() > 1;
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!isOption) {
            if (!spec) {
                spec = FindSpec(argument);
                if (!spec)
                    return Fail(QStringLiteral("unknown command \"%1\"").arg(argument));
                m_command = argument;
            } else {
                m_arguments << argument;
            }
            continue;
        }
        if (argument == QLatin1String("-h")) {
            m_help = true;
            continue;
        }
        if (!argument.startsWith(QLatin1String("--")))
            return Fail(QStringLiteral("unknown option \"%1\"").arg(argument));
        QString name = argument.mid(2);
        QString value;
        const int equals = name.indexOf('=');
        const bool inlineValue = equals >= 0;
        if (inlineValue) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        const bool global = name == QLatin1String("list") || name == QLatin1String("yes") ||
                            name == QLatin1String("help");
        const bool valued = name == QLatin1String("list") || (spec && spec->valued.contains(name));
        const bool flag = (global && !valued) || (spec && spec->flags.contains(name));
        if (!valued && !flag)
            return Fail(spec ? QStringLiteral("the command \"%1\" has no option \"--%2\"")
                                   .arg(m_command, name)
                             : QStringLiteral("unknown option \"--%1\"").arg(name));
        if (flag) {
            if (inlineValue)
                return Fail(QStringLiteral("the option \"--%1\" takes no value").arg(name));
            if (name == QLatin1String("yes"))
                m_yes = true;
            else if (name == QLatin1String("help"))
                m_help = true;
            else
                m_flags.insert(name);
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= arguments.size())
                return Fail(QStringLiteral("the option \"--%1\" needs a value").arg(name));
            value = arguments[++i];
        }
        if (name == QLatin1String("list")) {
            m_list = value;
            continue;
        }
        if (m_values.contains(name))
            return Fail(QStringLiteral("the option \"--%1\" is given twice").arg(name));
        const QStringList accepted = spec->choices.value(name);
        if (!accepted.isEmpty() && !accepted.contains(value))
            return Fail(QStringLiteral("\"--%1\" takes %2, not \"%3\"")
                            .arg(name, accepted.join('|'), value));
        m_values.insert(name, value);
    }
    if (m_help)
        return true;
    if (!spec)
        return Fail(QStringLiteral("no command given"));
    if (m_arguments.size() < spec->leastArguments)
        return Fail(QStringLiteral("the command \"%1\" needs %2")
                        .arg(m_command, spec->synopsis.section(' ', 1, 1)));
    if (m_arguments.size() > spec->mostArguments)
        return Fail(QStringLiteral("too many arguments for \"%1\": %2")
                        .arg(m_command, m_arguments.mid(spec->mostArguments).join(' ')));
    for (const QString& name : spec->required)
        if (!m_values.contains(name))
            return Fail(QStringLiteral("the command \"%1\" needs \"--%2\"").arg(m_command, name));
    return true;
}

QStringList CommandLine::Commands() {
    QStringList names;
    for (const CommandSpec& spec : Specs())
        names << spec.name;
    return names;
}

QString CommandLine::ToolUsage() {
    QString text = QStringLiteral(
        "Usage: lettrino-cli [--list PATH] [--yes] COMMAND [options]\n"
        "\n"
        "Works on a Lettrino mailing list without windows, through the same code as the\n"
        "program. Without --list the current list (the one the program opened last) is\n"
        "used.\n"
        "\n"
        "Options:\n"
        "  --list PATH  make PATH the current list for this run, as opening it in the\n"
        "               program does (the setting is written, an older list is upgraded)\n"
        "  --yes        answer Yes to every question (otherwise No)\n"
        "  --help       show this text; \"lettrino-cli COMMAND --help\" shows a command's\n"
        "\n"
        "Commands:\n");
    for (const CommandSpec& spec : Specs())
        text += "  " + QString(spec.synopsis).replace('\n', "\n  ") + "\n";
    text += QStringLiteral(
        "\n"
        "Messages go to standard error under the title of the box the program would show.\n"
        "Exit status: 0 done; 1 failed (a message says why, or a question answered No\n"
        "stopped the command); 2 the command line is wrong.\n");
    return text;
}

QString CommandLine::CommandUsage(const QString& command) {
    const CommandSpec* spec = FindSpec(command);
    if (!spec)
        return QString();
    return "Usage: lettrino-cli [--list PATH] [--yes] " + spec->synopsis + "\n\n" + spec->help;
}
