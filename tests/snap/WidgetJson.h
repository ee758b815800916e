#pragma once
// Every widget of a window that shows text, as JSON: name, text, tooltip, visibility, place in
// twips in its container, and its text and back colours as &HBBGGRR values.

#include <nlohmann/json.hpp>

class QWidget;

namespace snap {

nlohmann::ordered_json TextWidgets(const QWidget* window);

}  // namespace snap
