#include "ControlRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <cstring>

namespace platform {

namespace {

// A registry holds a handful of lines; anything larger is not one, and is left alone.
constexpr qint64 MaxRegistryBytes = 256 * 1024;
constexpr const char* Header = "# Zorvic control registry: class identifier=control library path\n";

QString& LocationOverride() {
    static QString location;
    return location;
}

RegistryStatus Failed(const QString& error) { return RegistryStatus{false, error}; }

bool ValidClassId(const QString& classId) {
    if (classId.isEmpty() || classId.size() > 200) return false;
    return std::none_of(classId.begin(), classId.end(),
                        [](QChar c) { return c == u'=' || c == u'#' || c.isSpace(); });
}

// The path a library is recorded under: absolute, with links resolved while the file exists.
QString RecordedPath(const QString& libraryPath) {
    const QFileInfo info(libraryPath);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

std::vector<RegistryEntry>::iterator FindEntry(std::vector<RegistryEntry>& entries, const QString& classId) {
    return std::find_if(entries.begin(), entries.end(), [&](const RegistryEntry& e) { return e.classId == classId; });
}

bool ReadRegistry(std::vector<RegistryEntry>& entries, QString& error) {
    entries.clear();
    QFile file(ControlRegistry::Location());
    if (!file.exists()) return true;
    if (file.size() > MaxRegistryBytes) {
        error = QString("The control registry \"%1\" is too large to be one.").arg(file.fileName());
        return false;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QString("The control registry \"%1\" cannot be read: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    const QByteArray content = file.read(MaxRegistryBytes + 1);
    if (content.size() > MaxRegistryBytes) {
        error = QString("The control registry \"%1\" is too large to be one.").arg(file.fileName());
        return false;
    }
    // Lines that are not "identifier=path" are dropped rather than refusing every control.
    for (const QByteArray& raw : content.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0) continue;
        RegistryEntry entry{line.left(equals).trimmed(), line.mid(equals + 1).trimmed()};
        if (!ValidClassId(entry.classId) || entry.libraryPath.isEmpty()) continue;
        const auto found = FindEntry(entries, entry.classId);
        if (found != entries.end()) {
            *found = entry;  // the later line wins
        } else {
            entries.push_back(entry);
        }
    }
    return true;
}

// Written beside the old file and renamed over it, so a failure leaves the old registry whole.
RegistryStatus WriteRegistry(const std::vector<RegistryEntry>& entries) {
    const QString location = ControlRegistry::Location();
    const QFileInfo info(location);
    if (!QDir().mkpath(info.absolutePath())) {
        return Failed(QString("The folder of the control registry \"%1\" cannot be made.").arg(location));
    }
    QSaveFile file(location);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return Failed(QString("The control registry \"%1\" cannot be written: %2").arg(location, file.errorString()));
    }
    QByteArray content(Header);
    for (const RegistryEntry& entry : entries) content += (entry.classId + u'=' + entry.libraryPath + u'\n').toUtf8();
    file.write(content);
    if (!file.commit()) {
        return Failed(QString("The control registry \"%1\" cannot be written: %2").arg(location, file.errorString()));
    }
    return RegistryStatus{true, {}};
}

// Control libraries stay loaded for the rest of the run: their widgets may live anywhere in the
// program, and the registry never knows when the last one has gone.
QLibrary* LoadLibrary(const QString& path, QString& error) {
    static auto* loaded = new std::map<QString, QLibrary*>;
    if (auto found = loaded->find(path); found != loaded->end()) return found->second;
    auto library = std::make_unique<QLibrary>(path);
    if (!library->load()) {
        error = library->errorString();
        return nullptr;
    }
    return loaded->emplace(path, library.release()).first->second;
}

// Collects the class identifiers a library's registration entry point names. Registering may
// only add classes and unregistering only remove them.
struct Registrar {
    bool removing = false;
    std::vector<QString> classes;
    bool invalid = false;

    ZcResult Name(const char* classId, bool removal) {
        const QString id = classId ? QString::fromUtf8(classId) : QString();
        if (removal != removing || !ValidClassId(id)) {
            invalid = true;
            return ZcInvalidArgument;
        }
        classes.push_back(id);
        return ZcOk;
    }

    static ZcResult Add(void* context, const char* classId, const char*) {
        return static_cast<Registrar*>(context)->Name(classId, false);
    }
    static ZcResult Remove(void* context, const char* classId) {
        return static_cast<Registrar*>(context)->Name(classId, true);
    }
};

// Calls DllRegisterServer or DllUnregisterServer and returns the class identifiers it named.
RegistryStatus AskLibrary(const QString& path, const char* entryPoint, std::vector<QString>& classes) {
    QString loadError;
    QLibrary* library = LoadLibrary(path, loadError);
    if (!library) return Failed(QString("The control library \"%1\" cannot be loaded: %2").arg(path, loadError));
    // Both entry points have the same signature.
    auto function = reinterpret_cast<DllRegisterServerFunction>(library->resolve(entryPoint));
    if (!function) {
        return Failed(QString("\"%1\" is not a control library: it has no %2.").arg(path, QString(entryPoint)));
    }
    Registrar registrar;
    registrar.removing = std::strcmp(entryPoint, "DllUnregisterServer") == 0;
    const ZcRegistrar abi{&registrar, &Registrar::Add, &Registrar::Remove};
    const ZcResult result = function(&abi);
    if (result != ZcOk || registrar.invalid) {
        return Failed(QString("The control library \"%1\" failed in %2 (code %3).")
                          .arg(path, QString(entryPoint))
                          .arg(result));
    }
    if (registrar.classes.empty()) {
        return Failed(QString("The control library \"%1\" names no control class.").arg(path));
    }
    classes = std::move(registrar.classes);
    return RegistryStatus{true, {}};
}

}  // namespace

ControlInstance::ControlInstance(const ZcControlFactory* factory, QWidget* widget)
    : factory_(factory), widget_(widget) {
    const ZcEventSink sink{this, &ControlInstance::EventThunk, &ControlInstance::PropertyChangedThunk};
    factory_->Advise(widget, &sink);
}

ControlInstance::~ControlInstance() {
    if (widget_) factory_->Advise(widget_.data(), nullptr);
}

void ControlInstance::EventThunk(void* context, const char* name, double value) {
    auto* self = static_cast<ControlInstance*>(context);
    if (self->onEvent_) self->onEvent_(QString::fromUtf8(name), value);
}

void ControlInstance::PropertyChangedThunk(void* context, const char* property) {
    auto* self = static_cast<ControlInstance*>(context);
    if (self->onPropertyChanged_) self->onPropertyChanged_(QString::fromUtf8(property));
}

bool ControlInstance::SetText(const QString& property, const QString& value) {
    if (!widget_) return false;
    return factory_->SetText(widget_.data(), property.toUtf8().constData(), value.toUtf8().constData()) == ZcOk;
}

bool ControlInstance::SetNumber(const QString& property, double value) {
    if (!widget_) return false;
    return factory_->SetNumber(widget_.data(), property.toUtf8().constData(), value) == ZcOk;
}

bool ControlInstance::Invoke(const QString& method, double argument) {
    if (!widget_) return false;
    return factory_->Invoke(widget_.data(), method.toUtf8().constData(), argument) == ZcOk;
}

namespace {

struct BagAccess {
    std::map<QString, QString>* bag;
    QByteArray lastValue;  // keeps the text Get hands out alive until the next call

    static const char* Get(void* context, const char* key) {
        auto* self = static_cast<BagAccess*>(context);
        auto found = self->bag->find(QString::fromUtf8(key));
        if (found == self->bag->end()) return nullptr;
        self->lastValue = found->second.toUtf8();
        return self->lastValue.constData();
    }

    static void Put(void* context, const char* key, const char* value) {
        auto* self = static_cast<BagAccess*>(context);
        (*self->bag)[QString::fromUtf8(key)] = QString::fromUtf8(value);
    }
};

}  // namespace

bool ControlInstance::ReadProperties(const std::map<QString, QString>& bag) {
    if (!widget_) return false;
    std::map<QString, QString> copy = bag;
    BagAccess access{&copy, {}};
    const ZcPropertyBag abi{&access, &BagAccess::Get, &BagAccess::Put};
    return factory_->ReadProperties(widget_.data(), &abi) == ZcOk;
}

bool ControlInstance::WriteProperties(std::map<QString, QString>& bag) {
    if (!widget_) return false;
    BagAccess access{&bag, {}};
    const ZcPropertyBag abi{&access, &BagAccess::Get, &BagAccess::Put};
    return factory_->WriteProperties(widget_.data(), &abi) == ZcOk;
}

namespace ControlRegistry {

QString Location() {
    if (!LocationOverride().isEmpty()) return LocationOverride();
    const QString fromEnvironment = qEnvironmentVariable("ZORVIC_CONTROL_REGISTRY");
    if (!fromEnvironment.isEmpty()) return fromEnvironment;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/zorvic/controls.conf";
}

void SetLocation(const QString& path) { LocationOverride() = path; }

std::vector<RegistryEntry> Entries() {
    std::vector<RegistryEntry> entries;
    QString error;
    if (!ReadRegistry(entries, error)) return {};
    return entries;
}

RegistryStatus Register(const QString& libraryPath) {
    const QString path = RecordedPath(libraryPath);
    if (!QFileInfo(path).isFile()) return Failed(QString("The control library \"%1\" does not exist.").arg(path));
    std::vector<QString> classes;
    RegistryStatus asked = AskLibrary(path, "DllRegisterServer", classes);
    if (!asked.ok) return asked;
    std::vector<RegistryEntry> entries;
    QString error;
    if (!ReadRegistry(entries, error)) return Failed(error);
    for (const QString& classId : classes) {
        const auto found = FindEntry(entries, classId);
        if (found != entries.end()) {
            found->libraryPath = path;
        } else {
            entries.push_back(RegistryEntry{classId, path});
        }
    }
    return WriteRegistry(entries);
}

RegistryStatus Unregister(const QString& libraryPath) {
    const QString path = RecordedPath(libraryPath);
    const QString absolute = QDir::cleanPath(QFileInfo(libraryPath).absoluteFilePath());
    auto names = [&](const RegistryEntry& e) { return e.libraryPath == path || e.libraryPath == absolute; };
    std::vector<RegistryEntry> entries;
    QString error;
    if (!ReadRegistry(entries, error)) return Failed(error);
    std::vector<QString> classes;
    const RegistryStatus asked = AskLibrary(path, "DllUnregisterServer", classes);
    const auto before = entries.size();
    if (asked.ok) {
        std::erase_if(entries, [&](const RegistryEntry& e) {
            return names(e) && std::find(classes.begin(), classes.end(), e.classId) != classes.end();
        });
    } else {
        // A library deleted or broken since it was registered can no longer name its classes.
        std::erase_if(entries, names);
        if (entries.size() == before) return asked;
    }
    if (entries.size() == before) return RegistryStatus{true, {}};
    return WriteRegistry(entries);
}

ControlCreation CreateControl(const QString& classId, QWidget* parent) {
    auto refused = [](const QString& error) { return ControlCreation{nullptr, error}; };
    std::vector<RegistryEntry> entries;
    QString error;
    if (!ReadRegistry(entries, error)) return refused(error);
    const auto found = FindEntry(entries, classId);
    if (found == entries.end()) {
        return refused(QString("The control class \"%1\" is not registered: register its library with "
                               "\"zorvic_regctl register LIBRARY\".")
                           .arg(classId));
    }
    const QString& path = found->libraryPath;
    if (!QFileInfo(path).isFile()) {
        return refused(
            QString("The control library \"%1\" registered for \"%2\" does not exist any more.").arg(path, classId));
    }
    QLibrary* library = LoadLibrary(path, error);
    if (!library) {
        return refused(QString("The control library \"%1\" registered for \"%2\" cannot be loaded: %3")
                           .arg(path, classId, error));
    }
    auto getClassObject = reinterpret_cast<DllGetClassObjectFunction>(library->resolve("DllGetClassObject"));
    if (!getClassObject) {
        return refused(QString("\"%1\" registered for \"%2\" is not a control library: it has no DllGetClassObject.")
                           .arg(path, classId));
    }
    const ZcControlFactory* factory = nullptr;
    const QByteArray id = classId.toUtf8();
    const ZcResult result = getClassObject(id.constData(), ZC_ABI_VERSION, &factory);
    if (result == ZcVersionMismatch || (factory && factory->abiVersion != ZC_ABI_VERSION)) {
        return refused(
            QString("The control library \"%1\" was built for another version of the control interface.").arg(path));
    }
    if (result != ZcOk || !factory) {
        return refused(QString("The control library \"%1\" does not serve the class \"%2\" (code %3).")
                           .arg(path, classId)
                           .arg(result));
    }
    auto* widget = static_cast<QWidget*>(factory->CreateInstance(parent));
    if (!widget) return refused(QString("The control library \"%1\" could not create a \"%2\".").arg(path, classId));
    return ControlCreation{std::make_unique<ControlInstance>(factory, widget), {}};
}

}  // namespace ControlRegistry

}  // namespace platform
