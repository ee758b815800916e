#pragma once
// The whole design state as named fields: printed as one JSON object, and set one field at a time
// by the path the records use ("Outputs[1].Regulator.Family").

#include <functional>
#include <nlohmann/json.hpp>
#include <string>

namespace zorvic::dump {

using Json = nlohmann::ordered_json;

// Every record by its name, `Outputs` as the list of the active outputs. Floats that are not
// finite are written "nan", "inf" and "-inf".
Json DesignToJson();

enum class SetStatus { Ok, UnknownPath, BadValue };

// Sets the field at `path` from `value`; `error` tells why when the status is not Ok.
SetStatus SetField(const std::string& path, const Json& value, std::string& error);

// The candidate cores again for a changed geometry list type, as the design's own list filter
// builds them.
void RebuildCandidateCores();

// Start-up defaults and computation, then `afterStartUp` (a project load), the overrides of
// `overrides` (an object of field paths and the "@Chip", "@Material", "@Core" table rows), the
// DC bus limits unless overridden, one computation. Returns false with `error` set for an
// override that cannot be applied.
bool ComputeWithOverrides(const Json& overrides, std::string& error,
                          const std::function<void()>& afterStartUp = {});

}  // namespace zorvic::dump
