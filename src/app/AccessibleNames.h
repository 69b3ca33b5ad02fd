#pragma once
// Accessible names for a page's controls: a control without one is named after the label
// that captions it (the nearest label above it, or on its left in the same row).
class QWidget;

void NameControlsByLabels(QWidget* page);
