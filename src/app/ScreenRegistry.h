#pragma once

#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace app {

class AppContext;

// A screen, listed once: the menu, the gallery and the smoke test all walk this list.
struct ScreenEntry {
    QString name; // the screen's control name, also the window's objectName
    std::function<QWidget *(AppContext &ctx)> create; // runs the screen's load step
    // The content tables (slots 1..30) the screen reads. Each must cost only its own screens:
    // a screen without one, or with one that holds nothing, says so and offers nothing to answer.
    // A screen that reads a table chosen on another screen (the English word screens) leaves it
    // to the screen where it is chosen.
    std::vector<int> tables{};
};

class ScreenRegistry {
  public:
    static const ScreenRegistry &instance();

    void add(ScreenEntry entry) { entries_.push_back(std::move(entry)); }
    const ScreenEntry *find(const QString &name) const;
    const std::vector<ScreenEntry> &entries() const { return entries_; }

  private:
    std::vector<ScreenEntry> entries_;
};

} // namespace app

// Each area adds its screens here; ScreenRegistry::instance() calls them once.
namespace app {
void registerShellScreens(ScreenRegistry &r);
}
namespace arithmetic {
void registerScreens(app::ScreenRegistry &r);
}
namespace maintenance {
void registerScreens(app::ScreenRegistry &r);
}
namespace hanzi {
void registerScreens(app::ScreenRegistry &r);
}
namespace poems {
void registerScreens(app::ScreenRegistry &r);
}
namespace geometry {
void registerScreens(app::ScreenRegistry &r);
}
namespace pinyin {
void registerScreens(app::ScreenRegistry &r);
}
namespace english {
void registerScreens(app::ScreenRegistry &r);
}
