#pragma once
// The wizard's pages place their widgets at fixed positions, designed for a small font. A
// larger desktop font or a longer text would cut texts off; these grow the whole layout
// evenly, just enough that every text shows in full.
#include <QSize>
#include <vector>

class QWidget;

// Whether the widget shows its whole text inside its own rectangle, and that rectangle lies
// inside its parent's. Widgets without a text fit.
bool ShowsWholeText(const QWidget* w);

// The widgets under root (root included) that do not show their whole text.
std::vector<const QWidget*> CutOffWidgets(const QWidget* root);

// Places every widget under root that has no layout of its own at its designed geometry
// times factor. The designed geometry is taken from the first call.
void ScaleLayout(QWidget* root, double factor);

// Places the widgets under root (not root itself) at their designed geometry, stretched by
// fx across and fy down: the pages filling a window made larger than its minimum.
void ScaleChildren(QWidget* root, double fx, double fy);

// The smallest factor, in steps of 5 %, at which ScaleLayout leaves no text under root cut
// off (at most 3). Leaves root scaled by that factor.
double FitLayout(QWidget* root);
