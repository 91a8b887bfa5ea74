#include "app/ScreenRegistry.h"

namespace app {

const ScreenRegistry &ScreenRegistry::instance() {
    static const ScreenRegistry registry = [] {
        ScreenRegistry r;
        registerShellScreens(r);
        arithmetic::registerScreens(r);
        maintenance::registerScreens(r);
        hanzi::registerScreens(r);
        poems::registerScreens(r);
        geometry::registerScreens(r);
        pinyin::registerScreens(r);
        english::registerScreens(r);
        return r;
    }();
    return registry;
}

const ScreenEntry *ScreenRegistry::find(const QString &name) const {
    for (const ScreenEntry &e : entries_)
        if (e.name == name) return &e;
    return nullptr;
}

} // namespace app
