#pragma once
// The placement routines every schematic drawing uses. Positions are schematic twips (at zoom 1)
// that the routines multiply by the drawing's zoom factor; visibility follows the zoom, so that
// labels disappear when the schematic is too small to read them.

#include <QString>
#include <cstdint>

class QLabel;
class QPushButton;
class QWidget;

// The text colour of the schematic's normal labels: blue in training mode, else the system's
// button text colour.
uint32_t TrainingColour();

// The tag the computation puts on a label it marks ("Warning", or empty).
QString LabelTag(const QWidget* label);
void SetLabelTag(QWidget* label, const QString& tag);

// A label centred on X (on the width of its new caption) with its top at Y; a label tagged
// "Warning" is red.
void PlaceLabel(QLabel* label, int32_t x, int32_t y, float zoom, const QString& caption);
// A label with its left edge at X; a label tagged "Warning" gets a light red background.
void PlaceLabelLeft(QLabel* label, int32_t x, int32_t y, float zoom, const QString& caption);
// A centred label of the secondary-regulation network: shown only with secondary regulation.
void PlaceRegulationLabel(QLabel* label, int32_t x, int32_t y, float zoom, const QString& caption);
// A command button of the given full size centred on X, Y; YOffset twips are added unscaled.
// Small with a small font when labels are hidden; hidden at ButtonZoomMin or below. A caption
// that needs more room widens the button, and a button that would run past its picture's right
// edge moves back inside it.
void PlaceButton(QPushButton* button, float zoom, int32_t width, int32_t height, int32_t x, int32_t y,
                 int32_t yOffset);
// Top and Left as given; Width and Height times the zoom.
void PlaceControl(QWidget* control, int32_t top, int32_t left, int32_t width, int32_t height, float zoom);
