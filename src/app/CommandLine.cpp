#include "app/CommandLine.h"

#include <cstring>

namespace app {

namespace {

struct QtOption {
    const char *name;
    bool takesValue;
};

// The options QGuiApplication and QApplication read themselves.
constexpr QtOption kQtOptions[] = {
    {"-platform", true},      {"-platformpluginpath", true},
    {"-platformtheme", true}, {"-plugin", true},
    {"-display", true},       {"-style", true},
    {"-stylesheet", true},    {"-qwindowgeometry", true},
    {"-geometry", true},      {"-qwindowtitle", true},
    {"-title", true},         {"-session", true},
    {"-reverse", false},      {"-widgetcount", false},
    {"-nograb", false},       {"-dograb", false},
    {"-sync", false},
};

const QtOption *qtOption(const QString &arg) {
    for (const QtOption &o : kQtOptions) {
        // Qt also takes its options with two dashes.
        if (arg == QLatin1String(o.name) || arg == QLatin1Char('-') + QLatin1String(o.name)) return &o;
    }
    return nullptr;
}

QString helpText() {
    return QStringLiteral(
        "Usage: lumibo [OPTION]\n"
        "Lumibo: arithmetic, pinyin, Chinese characters, Tang poems, English words and shapes\n"
        "for children aged 3 to 8.\n"
        "\n"
        "  -h, --help     print this help and exit\n"
        "  -v, --version  print the version and exit\n"
        "\n"
        "Qt's own options (-platform, -display, -style …) are passed on to Qt.\n"
        "Lumibo reads study.dat, jieguo.wav and sound.wav from the folder it is installed in.\n"
        "LUMIBO_SCALE=1.5 (any step of 0.25 from 1 to 8) sets the size of its windows; by default\n"
        "the main window takes about half the height of the screen.\n");
}

} // namespace

std::optional<QString> qtOptionValue(const QStringList &args, const char *name) {
    std::optional<QString> value;
    for (int i = 0; i < args.size(); ++i) {
        const QtOption *o = qtOption(args[i]);
        if (!o || !o->takesValue || i + 1 >= args.size()) continue;
        if (std::strcmp(o->name, name) == 0) value = args[i + 1];
        ++i;
    }
    return value;
}

QString versionText() {
    return QStringLiteral("Lumibo " LUMIBO_VERSION "\n");
}

CommandLine parseCommandLine(const QStringList &args) {
    CommandLine result;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            return {CommandLine::Action::Help, helpText()};
        }
        if (arg == QLatin1String("--version") || arg == QLatin1String("-v")) {
            return {CommandLine::Action::Version, versionText()};
        }
        if (const QtOption *o = qtOption(arg)) {
            if (o->takesValue && ++i >= args.size())
                return {CommandLine::Action::Error,
                        QStringLiteral("lumibo: the option %1 needs a value\n"
                                       "Try 'lumibo --help' for more information.\n")
                            .arg(arg)};
            continue;
        }
        const QString what = arg.startsWith(QLatin1Char('-')) ? QStringLiteral("unknown option '%1'")
                                                              : QStringLiteral("unexpected argument '%1'");
        return {CommandLine::Action::Error,
                QStringLiteral("lumibo: %1\nTry 'lumibo --help' for more information.\n").arg(what.arg(arg))};
    }
    return result;
}

} // namespace app
