#include "shell/ui/main_actions.h"

#include <QKeySequence>
#include <vector>

namespace pelmora {

const std::vector<TActionInfo>& ActionTable() {
  static const std::vector<TActionInfo> table{
      {"actFileNew", "&New", "Ctrl+N", "New|Create a new file", false, false},
      {"actFileOpen", "&Open", "Ctrl+O", "Open|Open a file", false, false},
      {"actFileSave", "&Save", "Ctrl+S", "Save|Save current file", false, false},
      {"actFileSaveAs", "Save &As...", "", "Save As|Save current file with different name", false, false},
      {"actFileExit", "E&xit", "", "Exit|Exit ZUB", false, false},
      {"actEditCut", "Cu&t", "Ctrl+X", "Cut|Cuts the selection and puts it on the Clipboard", false, false},
      {"actEditCopy", "&Copy", "Ctrl+C", "Copy|Copies the selection and puts it on the Clipboard", false, false},
      {"actEditPaste", "&Paste", "Ctrl+V", "Paste|Inserts Clipboard contents", false, false},
      {"actEditUndo", "&Undo", "Ctrl+Z", "Undo|undo your last action", false, false},
      {"acteditRedo", "R&edo", "Ctrl+Y", "Redo|redo your last action", false, false},
      {"actCalculate", "&Calculate", "F4", "Calculate|hydraulically calculate the current file", false, false},
      {"actReportPreview", "Pre&view", "F5", "Preview Report|View the calculation report", true, false},
      {"actReportPrint", "&Print", "Ctrl+P", "Print report|Print the calculation report", true, false},
      {"actFind", "Find", "Ctrl+F", "search", true, false},
      {"actFindAgain", "Find Again", "F3", "repeat last search", true, false},
      {"actReplace", "R&eplace", "", "search & replace text", true, false},
      {"actViewEditor", "&Editor", "Ctrl+1", "Focus editor window", false, false},
      {"actViewResults", "&Results", "Ctrl+2", "Focus results window", false, false},
      {"actChangeDischarge", "&Discharge", "Ctrl+Alt+D", "change head and node flows in selection", true, false},
      {"actChangeElevation", "&Elevation", "Ctrl+Alt+E", "change elevations in selection", true, false},
      {"actChangeK", "&K-factor", "Ctrl+Alt+K", "change K-factors in selection", true, false},
      {"actChangeLength", "&Length", "Ctrl+Alt+L", "change pipe lengths in selection", true, false},
      {"actChangeSize", "&Size", "Ctrl+Alt+S", "change pipe sizes in selection", true, false},
      {"actHeadToNode", "head to &Node", "Ctrl+Alt+N", "", true, false},
      {"actNodeToHead", "node to &Head", "Ctrl+Alt+H", "", true, false},
      {"actToggleComment", "toggle &comment", "Ctrl+Alt+C", "", true, false},
      {"actLiveLook", "&LiveLook", "Ctrl+L", "Live Look information bar", false, true},
      {"actProposals", "Proposals", "Ctrl+R", "editor proposals", true, true},
      {"actReportText", "&Text", "", "Save summary page, pipe, and node information as plain text file", false, false},
      {"actReportPdf", "&PDF", "", "Save report in easily distributable Acrobat Pdf file", true, false},
      {"actReportHtml", "&HTML", "", "Save report in html file (viewable by your web browser)", true, false},
      {"actPrintFile", "&Print", "", "Print the current input file", true, false},
      {"actFileProperties", "P&roperties", "",
       "File properties|set current file's project information, units, calculation options, etc.", true, false},
      {"actProjectInformation", "Project Information", "Ctrl+I",
       "File properties|set current file's project information, units, calculation options, etc.", true, false},
      {"actSystemInformation", "System Information", "",
       "File properties|set current file's project information, units, calculation options, etc.", true, false},
      {"actCalcOptions", "Calculation Options", "", "display calculation options page of file properties dialog", true,
       false},
      {"actZubOptions", "&ZUB Options", "", "display ZUB options dialog", true, false},
      {"actReportOptions", "&Options", "", "display report options page of ZUB options dialog", true, false},
      {"actDxfOptions", "&Options", "", "display dxf import options page of ZUB options dialog", true, false},
      {"actPipeMaterialEditor", "&Pipe Material Editor", "", "open the pipe material editor", true, false},
      {"actFittingEditor", "&Fitting Editor", "", "open the fitting equivalent length editor", true, false},
      {"actLiquidEditor", "&Liquid Editor", "", "open the liquid properties editor", true, false},
      {"actDxfImport", "&Import DXF file", "",
       "attempt to import pipe and node information from an ASCII formatted DXF file", true, false},
      {"actDxfUpdate", "&Update", "", "label nodes, label pipes, update size text, and add flow information", true,
       false},
      {"actViewDemand", "&Demand Graph", "", "show the system demand graph", true, false},
      {"actViewFlowGraph", "&Flow Diagram", "", "show the system flow diagram", true, false},
      {"actEquivK", "Equivalent &K-factors", "", "View, edit, and create equivalent k-factor definitions", true, false},
      {"actImportFileProperties", "copy properties &from", "", "import file properties from another data file", false,
       false},
      {"actFittingLoss", "Fitting Loss Report", "",
       "Create report comparing fitting loss coefficient to equivalent length pressure loss", true, false},
      {"actQuickTree", "Side Fed Tree System", "", "quickly begin a side fed tree system", true, false},
      {"actQuickCenterTree", "Center Fed Tree System", "", "quickly begin a center fed tree system", true, false},
      {"actQuickGrid", "Gridded System", "", "quickly begin a gridded system", true, false},
      {"actQuickSource", "Water Source", "", "quickly enter underground, riser, and water information", true, false},
      {"actPrintSetup", "Printer &Setup", "", "change report printer settings", true, false},
      {"actHelpContents", "&Contents", "", "help contents", false, false},
      {"actHelpAbout", "&About...", "", "About|program information and version number", false, false},
      {"actUpdateCheck", "Check for &Update", "", "", true, false},
      {"actHelpEmail", "e-mail support", "", "", true, false},
      {"actHelpWWW", "visit home page", "", "", true, false},
  };
  return table;
}

QHash<QString, QAction*> CreateActions(QObject* parent) {
  QHash<QString, QAction*> actions;
  for (const TActionInfo& info : ActionTable()) {
    auto* action = new QAction(info.Caption, parent);
    action->setObjectName(info.Name);
    if (*info.Shortcut != '\0') action->setShortcut(QKeySequence(info.Shortcut));
    const QString hint = info.Hint;
    const qsizetype bar = hint.indexOf('|');
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    action->setCheckable(info.Checkable);
    action->setEnabled(!info.Later);
    actions.insert(info.Name, action);
  }
  return actions;
}

}  // namespace pelmora
