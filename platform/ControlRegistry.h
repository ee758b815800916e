#pragma once
// The control-server mechanism: a registry that maps a control's class identifier (such as
// "Glidebar.Glidebar") to the control library that serves it, and the creation of a control by
// class identifier, so that the program never links a control library.
//
// The registry is a small text file, one "class identifier=library path" per line, under the
// user's configuration folder. ZORVIC_CONTROL_REGISTRY names another file, and SetLocation
// another still (tests use it so that the user's registry is never touched).

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "ControlServerAbi.h"

namespace platform {

// The outcome of a registry operation; error says what went wrong, in words for the user.
struct [[nodiscard]] RegistryStatus {
    bool ok = false;
    QString error;
};

struct RegistryEntry {
    QString classId;
    QString libraryPath;
};

// The container's handle on one control. The widget belongs to its Qt parent, as any child
// widget does; the handle may outlive it, and then every call answers false.
class ControlInstance {
public:
    using EventHandler = std::function<void(const QString& name, double value)>;
    using PropertyHandler = std::function<void(const QString& property)>;

    ControlInstance(const ZcControlFactory* factory, QWidget* widget);
    ~ControlInstance();
    ControlInstance(const ControlInstance&) = delete;
    ControlInstance& operator=(const ControlInstance&) = delete;

    // The control to place and size; null once it has been destroyed.
    QWidget* Widget() const { return widget_.data(); }

    bool SetText(const QString& property, const QString& value);
    bool SetNumber(const QString& property, double value);
    bool Invoke(const QString& method, double argument);
    // The persisted properties, as texts.
    bool ReadProperties(const std::map<QString, QString>& bag);
    bool WriteProperties(std::map<QString, QString>& bag);

    // The control's events ("Click", "Scroll", "Change") with their number argument.
    void OnEvent(EventHandler handler) { onEvent_ = std::move(handler); }
    void OnPropertyChanged(PropertyHandler handler) { onPropertyChanged_ = std::move(handler); }

private:
    static void EventThunk(void* context, const char* name, double value);
    static void PropertyChangedThunk(void* context, const char* property);

    const ZcControlFactory* factory_;
    QPointer<QWidget> widget_;
    EventHandler onEvent_;
    PropertyHandler onPropertyChanged_;
};

struct [[nodiscard]] ControlCreation {
    std::unique_ptr<ControlInstance> control;  // null when error says why
    QString error;
};

namespace ControlRegistry {

QString Location();
// An empty path goes back to ZORVIC_CONTROL_REGISTRY or the default location.
void SetLocation(const QString& path);

// The entries in file order; a missing registry holds none.
std::vector<RegistryEntry> Entries();

// Asks the library which classes it serves (DllRegisterServer) and records them with its path;
// a class already recorded for another library is taken over.
RegistryStatus Register(const QString& libraryPath);
// Removes the classes the library names (DllUnregisterServer) where they point to it; other
// entries stay. A library that cannot be loaded any more loses every entry that names it.
RegistryStatus Unregister(const QString& libraryPath);

// Creates the control of the class as a child of parent, through the registered library's
// DllGetClassObject. A class that is not registered or an entry that no longer leads to a
// working library gives an error, never a crash.
ControlCreation CreateControl(const QString& classId, QWidget* parent);

}  // namespace ControlRegistry

}  // namespace platform
