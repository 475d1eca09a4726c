#include "ui/qtCommandLine.h"

#include <array>

namespace qm {

namespace {

struct qtOption {
    const char* name;
    bool takesValue;
    const char* help;
};

// QGuiApplication's and QApplication's options, and the X11 platform's.
constexpr std::array<qtOption, 17> qtOptions{{
    {"platform", true, "the platform plugin (xcb, wayland, offscreen, ...)"},
    {"platformpluginpath", true, "the folder of the platform plugins"},
    {"platformtheme", true, "the platform theme"},
    {"plugin", true, "an additional plugin to load"},
    {"qwindowgeometry", true, "the main window's geometry"},
    {"qwindowicon", true, "the main window's icon"},
    {"qwindowtitle", true, "the main window's title"},
    {"reverse", false, "lay the windows out right to left"},
    {"session", true, "restore a session"},
    {"style", true, "the widget style (Fusion, Windows, ...)"},
    {"stylesheet", true, "a Qt style sheet file"},
    {"widgetcount", false, "print the number of widgets left at exit"},
    {"display", true, "the X display"},
    {"geometry", true, "the main window's geometry (X11)"},
    {"name", true, "the application name (X11)"},
    {"nograb", false, "never grab the mouse or keyboard (X11)"},
    {"dograb", false, "grab even when running under a debugger (X11)"},
}};

const qtOption* findQtOption(const QString& argument, bool& valueAttached) {
    if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-") ||
        argument == QLatin1String("--")) {
        return nullptr;
    }
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(QLatin1Char('='));
    valueAttached = equals >= 0;
    if (valueAttached) {
        name.truncate(equals);
    }
    for (const qtOption& option : qtOptions) {
        if (name == QLatin1String(option.name) && (option.takesValue || !valueAttached)) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

commandLineSplitS splitQtOptions(const QStringList& arguments) {
    commandLineSplitS split;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        bool valueAttached = false;
        const qtOption* option = i == 0 ? nullptr : findQtOption(argument, valueAttached);
        if (argument == QLatin1String("--") && i > 0) {
            split.ours << arguments.mid(i);  // everything after "--" is ours
            break;
        }
        if (option == nullptr) {
            split.ours << argument;
            continue;
        }
        split.qts << argument;
        if (option->takesValue && !valueAttached && i + 1 < arguments.size()) {
            split.qts << arguments[++i];
        }
    }
    return split;
}

QString qtOptionsHelp() {
    QString text = QStringLiteral("\nQt options (passed on to Qt):\n");
    for (const qtOption& option : qtOptions) {
        const QString usage = QStringLiteral("  -%1%2").arg(
            QLatin1String(option.name), option.takesValue ? QStringLiteral(" <value>") : QString());
        text += usage.leftJustified(30) + QLatin1String(option.help) + QLatin1Char('\n');
    }
    return text;
}

}  // namespace qm
