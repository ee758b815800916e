#pragma once
/* The binary interface between the program and a control library (an in-process control
 * server). Plain C so that the program never links the library and either side can be rebuilt
 * alone: only texts (UTF-8), numbers and opaque widget pointers cross it.
 *
 * A control library exports four functions:
 *   DllRegisterServer(registrar)    names its classes through registrar->RegisterClass;
 *   DllUnregisterServer(registrar)  names them again through registrar->UnregisterClass;
 *   DllGetClassObject(id, abi, &f)  hands out the factory of class id;
 *   DllCanUnloadNow()               ZcOk only when no instance of any class lives.
 * The registry, not the library, owns the record of which library serves which class, so the
 * library need not know where that record lives. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t ZcResult;

enum {
    ZcOk = 0,
    ZcFalse = 1,
    ZcClassNotAvailable = -1,  /* the library does not serve the class asked for */
    ZcInvalidArgument = -2,    /* a null pointer, a dead instance or an unknown member */
    ZcVersionMismatch = -3,    /* the caller and the library disagree on this interface */
    ZcFailed = -4
};

/* The version of the structures below, raised on every change to them. */
#define ZC_ABI_VERSION 1u

typedef struct ZcRegistrar {
    void* context;
    ZcResult (*RegisterClass)(void* context, const char* classId, const char* description);
    ZcResult (*UnregisterClass)(void* context, const char* classId);
} ZcRegistrar;

/* The container's side of an instance's events. Event names are the control's own ("Click",
 * "Scroll", "Change"); value is the event's number argument, 0 when it has none.
 * PropertyChanged tells the container that a property it may persist has changed. An event
 * arrives in the middle of the control's own handling: the container may call the instance
 * back, but must not delete it there (deleteLater does). */
typedef struct ZcEventSink {
    void* context;
    void (*Event)(void* context, const char* name, double value);
    void (*PropertyChanged)(void* context, const char* property);
} ZcEventSink;

/* The container's property bag for persisted properties, values as texts. Get answers null for
 * a key the bag does not hold. */
typedef struct ZcPropertyBag {
    void* context;
    const char* (*Get)(void* context, const char* key);
    void (*Put)(void* context, const char* key, const char* value);
} ZcPropertyBag;

/* An instance is a QWidget* created as a child of the container's QWidget*; the container places
 * and sizes it, and it lives until the Qt parent deletes it (or the container does). Calls on an
 * instance that has gone answer ZcInvalidArgument. */
typedef struct ZcControlFactory {
    uint32_t abiVersion;
    void* (*CreateInstance)(void* parentWidget);
    ZcResult (*SetText)(void* instance, const char* property, const char* value);
    ZcResult (*SetNumber)(void* instance, const char* property, double value);
    ZcResult (*Invoke)(void* instance, const char* method, double argument);
    /* A null sink disconnects the container. */
    ZcResult (*Advise)(void* instance, const ZcEventSink* sink);
    ZcResult (*ReadProperties)(void* instance, const ZcPropertyBag* bag);
    ZcResult (*WriteProperties)(void* instance, const ZcPropertyBag* bag);
} ZcControlFactory;

typedef ZcResult (*DllRegisterServerFunction)(const ZcRegistrar* registrar);
typedef ZcResult (*DllUnregisterServerFunction)(const ZcRegistrar* registrar);
typedef ZcResult (*DllGetClassObjectFunction)(const char* classId, uint32_t abiVersion,
                                              const ZcControlFactory** factory);
typedef ZcResult (*DllCanUnloadNowFunction)(void);

#ifdef __cplusplus
}
#endif
