#include "app/WindowScale.h"

#include "app/CommandLine.h"
#include "app/MainWindow.h"

#include "ui/Widgets.h"

#include <QGuiApplication>
#include <QRect>
#include <QScopeGuard>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <xcb/randr.h>
#include <xcb/xcb.h>

namespace app {

namespace {

// The main window as the user sees it: its client area and the menu bar above it.
constexpr int kMainWidth = ui::twips(MainWindow::kClientWidthTw);
constexpr int kMainHeight = ui::twips(MainWindow::kClientHeightTw) + 24;

double toStep(double s) {
    return std::round(s / kScaleStep) * kScaleStep;
}

} // namespace

double scaleForScreen(QSize available) {
    if (available.height() <= 0 || available.width() <= 0) return 1;
    double s = toStep(available.height() / 2.0 / kMainHeight);
    while (s > 1 && s * kMainWidth > available.width())
        s -= kScaleStep;
    return std::clamp(s, 1.0, kMaxScale);
}

double parseScale(const QString &text, QString *problem) {
    bool ok = false;
    const double s = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(s)) {
        *problem = QStringLiteral("LUMIBO_SCALE=%1 is not a number").arg(text);
        return 0;
    }
    if (s < 1 || s > kMaxScale) {
        *problem = QStringLiteral("LUMIBO_SCALE=%1 is outside 1 to %2").arg(text).arg(kMaxScale);
        return 0;
    }
    return toStep(s);
}

ScreenQuery screenQueryFor(const ScaleEnvironment &env) {
    // QT_QPA_PLATFORM may list several to try ("wayland;xcb"), each with options after a colon.
    const QString first = env.platform.section(QLatin1Char(';'), 0, 0).section(QLatin1Char(':'), 0, 0).trimmed();
    if (first == QLatin1String("offscreen") || first == QLatin1String("minimal") ||
        first == QLatin1String("vnc") || first == QLatin1String("linuxfb"))
        return ScreenQuery::None;
    // The user's own instructions to Qt change what it calls a pixel: let Qt measure.
    if (env.userQtScaling) return ScreenQuery::Application;
    if (first == QLatin1String("xcb")) return env.x11Display ? ScreenQuery::XServer : ScreenQuery::Application;
    if (first.isEmpty() && env.x11Display && !env.waylandSession) return ScreenQuery::XServer;
    return ScreenQuery::Application;
}

double xftDpi(const QByteArray &resources) {
    for (const QByteArray &line : resources.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0 || line.left(colon).trimmed() != "Xft.dpi") continue;
        bool ok = false;
        const double dpi = line.mid(colon + 1).trimmed().toDouble(&ok);
        return ok && dpi > 0 && std::isfinite(dpi) ? dpi : 0;
    }
    return 0;
}

namespace {

// Replies of xcb are malloc'd; this frees them.
template <typename T> struct Reply {
    T *p;
    explicit Reply(T *reply) : p(reply) {}
    ~Reply() { std::free(p); }
    Reply(const Reply &) = delete;
    Reply &operator=(const Reply &) = delete;
    T *operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

// The primary RandR monitor (RandR 1.5, as Qt reads them), else the primary output's CRTC (1.3),
// else the first of either; nothing without RandR.
std::optional<QRect> randrPrimary(xcb_connection_t *c, xcb_window_t root) {
    const xcb_query_extension_reply_t *randr = xcb_get_extension_data(c, &xcb_randr_id);
    if (!randr || !randr->present) return std::nullopt;
    if (Reply<xcb_randr_get_monitors_reply_t> monitors{
            xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, root, 1), nullptr)}) {
        std::optional<QRect> first;
        for (auto it = xcb_randr_get_monitors_monitors_iterator(monitors.p); it.rem; xcb_randr_monitor_info_next(&it)) {
            const QRect r(it.data->x, it.data->y, it.data->width, it.data->height);
            if (it.data->primary) return r;
            if (!first) first = r;
        }
        if (first) return first;
    }
    xcb_randr_output_t output = XCB_NONE;
    if (Reply<xcb_randr_get_output_primary_reply_t> primary{
            xcb_randr_get_output_primary_reply(c, xcb_randr_get_output_primary(c, root), nullptr)})
        output = primary->output;
    std::optional<QRect> result;
    const auto crtcOf = [&](xcb_randr_output_t o) -> std::optional<QRect> {
        Reply<xcb_randr_get_output_info_reply_t> info{
            xcb_randr_get_output_info_reply(c, xcb_randr_get_output_info(c, o, XCB_CURRENT_TIME), nullptr)};
        if (!info || info->crtc == XCB_NONE) return std::nullopt;
        Reply<xcb_randr_get_crtc_info_reply_t> crtc{
            xcb_randr_get_crtc_info_reply(c, xcb_randr_get_crtc_info(c, info->crtc, XCB_CURRENT_TIME), nullptr)};
        if (!crtc || crtc->width == 0 || crtc->height == 0) return std::nullopt;
        return QRect(crtc->x, crtc->y, crtc->width, crtc->height);
    };
    if (output != XCB_NONE) result = crtcOf(output);
    if (!result) {
        if (Reply<xcb_randr_get_screen_resources_current_reply_t> res{xcb_randr_get_screen_resources_current_reply(
                c, xcb_randr_get_screen_resources_current(c, root), nullptr)}) {
            const xcb_randr_output_t *outputs = xcb_randr_get_screen_resources_current_outputs(res.p);
            const int count = xcb_randr_get_screen_resources_current_outputs_length(res.p);
            for (int i = 0; i < count && !result; ++i)
                result = crtcOf(outputs[i]);
        }
    }
    return result;
}

// The window manager's work area on the first desktop (_NET_WORKAREA), where it sets one.
std::optional<QRect> workArea(xcb_connection_t *c, xcb_window_t root) {
    static const char name[] = "_NET_WORKAREA";
    Reply<xcb_intern_atom_reply_t> atom{
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof name - 1, name), nullptr)};
    if (!atom || atom->atom == XCB_ATOM_NONE) return std::nullopt;
    Reply<xcb_get_property_reply_t> prop{xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, atom->atom, XCB_ATOM_CARDINAL, 0, 4), nullptr)};
    if (!prop || prop->format != 32 || xcb_get_property_value_length(prop.p) < 16) return std::nullopt;
    const auto *v = static_cast<const uint32_t *>(xcb_get_property_value(prop.p));
    const QRect r{int(v[0]), int(v[1]), int(v[2]), int(v[3])};
    return r.isEmpty() ? std::nullopt : std::optional<QRect>(r);
}

QByteArray resourceManager(xcb_connection_t *c, xcb_window_t root) {
    Reply<xcb_get_property_reply_t> prop{xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, 16384), nullptr)};
    if (!prop || prop->format != 8) return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(prop.p)), xcb_get_property_value_length(prop.p));
}

} // namespace

std::optional<QSize> xAvailableSize(const QByteArray &display) {
    int screenNumber = 0;
    xcb_connection_t *c = xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screenNumber);
    const auto done = qScopeGuard([c] { xcb_disconnect(c); });
    if (xcb_connection_has_error(c)) return std::nullopt;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem) return std::nullopt;
    const xcb_window_t root = it.data->root;
    QRect geometry = randrPrimary(c, root).value_or(QRect(0, 0, it.data->width_in_pixels, it.data->height_in_pixels));
    // Qt's available geometry is the screen within the work area, when the window manager sets one.
    if (const std::optional<QRect> area = workArea(c, root)) {
        const QRect inside = geometry & *area;
        if (!inside.isEmpty()) geometry = inside;
    }
    QSize size = geometry.size();
    if (const double dpi = xftDpi(resourceManager(c, root)); dpi > 0)
        size = QSize(int(std::lround(size.width() * 96.0 / dpi)), int(std::lround(size.height() * 96.0 / dpi)));
    return size;
}

void chooseWindowScale(int argc, char **argv) {
    if (qEnvironmentVariableIsSet("LUMIBO_SCALE")) {
        QString problem;
        const double s = parseScale(qEnvironmentVariable("LUMIBO_SCALE"), &problem);
        if (s > 0) {
            qputenv("QT_SCALE_FACTOR", QByteArray::number(s));
            return;
        }
        std::fprintf(stderr, "Lumibo: %s; the windows are sized for the screen instead.\n",
                     qUtf8Printable(problem));
    }
    // A scale the user gave Qt directly is theirs.
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) return;

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    ScaleEnvironment env;
    env.platform = qtOptionValue(args, "-platform").value_or(qEnvironmentVariable("QT_QPA_PLATFORM"));
    env.x11Display = !qEnvironmentVariableIsEmpty("DISPLAY") || qtOptionValue(args, "-display").has_value();
    env.waylandSession = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                         qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    for (const char *name : {"QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING", "QT_USE_PHYSICAL_DPI",
                             "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_FONT_DPI"})
        env.userQtScaling = env.userQtScaling || qEnvironmentVariableIsSet(name);

    double s = 1;
    switch (screenQueryFor(env)) {
    case ScreenQuery::None:
        break;
    case ScreenQuery::XServer:
        if (const std::optional<QSize> size =
                xAvailableSize(qtOptionValue(args, "-display").value_or(QString()).toLocal8Bit())) {
            s = scaleForScreen(*size);
            break;
        }
        // Qt will say why it cannot reach the display either; let it measure and say so once.
        [[fallthrough]];
    case ScreenQuery::Application: {
        // Qt reads its scale when the application starts, so the screen is looked at by a
        // short-lived application of its own first. It gets a copy of the arguments, because Qt
        // takes its own options out of them.
        std::vector<char *> copy(argv, argv + argc);
        copy.push_back(nullptr);
        int count = argc;
        QGuiApplication probe(count, copy.data());
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            s = scaleForScreen(screen->availableGeometry().size());
        break;
    }
    }
    if (s != 1) qputenv("QT_SCALE_FACTOR", QByteArray::number(s));
}

} // namespace app
