// The main window's actions: captions, short cuts and hints as one table.
#pragma once

#include <QAction>
#include <QHash>
#include <QString>

namespace pelmora {

struct TActionInfo {
  const char* Name;
  const char* Caption;
  const char* Shortcut;  // empty: none
  const char* Hint;      // "tooltip|status text", or one text for both
  bool Later;            // the feature comes with a later part of the program: shown, disabled
  bool Checkable;
};

const std::vector<TActionInfo>& ActionTable();

// Creates every action of the table, owned by parent, keyed by its name.
QHash<QString, QAction*> CreateActions(QObject* parent);

}  // namespace pelmora
