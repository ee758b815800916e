// The library's control-server entry points: registration of its one class, the class factory
// and the unload check. Everything that crosses is a text, a number or an opaque widget pointer.

#include <QApplication>
#include <QString>
#include <cmath>
#include <cstring>
#include <limits>

#include "ControlServerAbi.h"
#include "Glidebar.h"

namespace {

constexpr const char* ClassId = "Glidebar.Glidebar";
constexpr const char* Description = "Glidebar scroll control";

bool Is(const char* text, const char* name) { return text && std::strcmp(text, name) == 0; }

// A persisted flag reads as the container wrote it; anything else keeps the default.
bool ParseFlag(const char* text, bool fallback) {
    if (Is(text, "True") || Is(text, "-1")) return true;
    if (Is(text, "False") || Is(text, "0")) return false;
    return fallback;
}

void* CreateInstance(void* parentWidget) {
    // A widget needs the container's application object; without one there is nothing to make.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    auto* control = new glidebar::Glidebar(static_cast<QWidget*>(parentWidget));
    return static_cast<QWidget*>(control);
}

ZcResult SetText(void* instance, const char* property, const char* value) {
    glidebar::Glidebar* control = glidebar::FindInstance(instance);
    if (!control || !value) return ZcInvalidArgument;
    const QString text = QString::fromUtf8(value);
    if (Is(property, "RightLabel")) {
        control->SetRightLabel(text);
    } else if (Is(property, "LeftLabel")) {
        control->SetLeftLabel(text);
    } else if (Is(property, "ButtonLabel")) {
        control->SetButtonLabel(text);
    } else {
        return ZcInvalidArgument;
    }
    return ZcOk;
}

ZcResult SetNumber(void* instance, const char* property, double value) {
    glidebar::Glidebar* control = glidebar::FindInstance(instance);
    if (!control || !Is(property, "ButtonLeft") || !std::isfinite(value)) return ZcInvalidArgument;
    constexpr double low = std::numeric_limits<int32_t>::min();
    constexpr double high = std::numeric_limits<int32_t>::max();
    control->SetButtonLeft(static_cast<int32_t>(std::nearbyint(std::fmin(std::fmax(value, low), high))));
    return ZcOk;
}

ZcResult Invoke(void* instance, const char* method, double argument) {
    glidebar::Glidebar* control = glidebar::FindInstance(instance);
    if (!control || !Is(method, "UpdateScroll") || !std::isfinite(argument)) return ZcInvalidArgument;
    // The method takes a 32-bit float; a larger number stands at the float's end rather than
    // turning into an infinity the control would refuse.
    constexpr double largest = std::numeric_limits<float>::max();
    control->UpdateScroll(static_cast<float>(std::fmin(std::fmax(argument, -largest), largest)));
    return ZcOk;
}

ZcResult Advise(void* instance, const ZcEventSink* sink) {
    glidebar::Glidebar* control = glidebar::FindInstance(instance);
    if (!control) return ZcInvalidArgument;
    control->Advise(sink);
    return ZcOk;
}

ZcResult ReadProperties(void* instance, const ZcPropertyBag* bag) {
    glidebar::Glidebar* control = glidebar::FindInstance(instance);
    if (!control || !bag || !bag->Get) return ZcInvalidArgument;
    control->SetMasked(ParseFlag(bag->Get(bag->context, "Masked"), false));
    return ZcOk;
}

ZcResult WriteProperties(void* instance, const ZcPropertyBag* bag) {
    glidebar::Glidebar* control = glidebar::FindInstance(instance);
    if (!control || !bag || !bag->Put) return ZcInvalidArgument;
    bag->Put(bag->context, "Masked", control->Masked() ? "True" : "False");
    return ZcOk;
}

const ZcControlFactory Factory{ZC_ABI_VERSION, CreateInstance, SetText, SetNumber, Invoke,
                               Advise,         ReadProperties, WriteProperties};

}  // namespace

extern "C" {

Q_DECL_EXPORT ZcResult DllRegisterServer(const ZcRegistrar* registrar) {
    if (!registrar || !registrar->RegisterClass) return ZcInvalidArgument;
    return registrar->RegisterClass(registrar->context, ClassId, Description);
}

Q_DECL_EXPORT ZcResult DllUnregisterServer(const ZcRegistrar* registrar) {
    if (!registrar || !registrar->UnregisterClass) return ZcInvalidArgument;
    return registrar->UnregisterClass(registrar->context, ClassId);
}

Q_DECL_EXPORT ZcResult DllGetClassObject(const char* classId, uint32_t abiVersion, const ZcControlFactory** factory) {
    if (!factory) return ZcInvalidArgument;
    *factory = nullptr;
    if (!Is(classId, ClassId)) return ZcClassNotAvailable;
    if (abiVersion != ZC_ABI_VERSION) return ZcVersionMismatch;
    *factory = &Factory;
    return ZcOk;
}

Q_DECL_EXPORT ZcResult DllCanUnloadNow(void) { return glidebar::LiveInstanceCount() == 0 ? ZcOk : ZcFalse; }

}  // extern "C"
