#pragma once
// A list (a list widget, a combo box's drop-down list) and its rows as a screen reader reads
// them. Qt's own rows judge whether they are on screen by their rectangle alone, so the rows
// of a closed drop-down list or of a list on a page that is not shown would be read as
// showing; these rows show only while their list does.
class QAccessibleInterface;
class QListView;

// The list's interface; it owns the rows it hands out, each kept while its model row lives.
// Main thread.
QAccessibleInterface* NewAccessibleList(QListView* view);
