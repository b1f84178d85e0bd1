// The navigation tree and the pages behind it: the node table, moving
// between nodes (a refused move after a failed check, saving the page left,
// the current beam, the silent check of the page shown, Analyse on "Analysis
// results"), node visibility and beam captions, and the transfers between
// the pages and the project.
#include <QFontMetrics>
#include <QMenu>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "project/cAnalysisRun.h"
#include "project/cFloorUse.h"
#include "project/cProject.h"
#include "project/cProjectFile.h"
#include "project/cSession.h"
#include "ui/cSummaryResults.h"
#include "ui/fAdminTools.h"
#include "ui/fRunView.h"
#include "ui/cUiUtility.h"
#include "ui/fMain.h"

namespace {

// The navigation tree in display order; beam n's numbers are 100 + 10 n plus
// the offset. A node is shown once its page has been added.
struct TNodeSpec {
  unsigned ItemID, Level;
  const char* Caption;
  const char* PageName;
};
const TNodeSpec kNodes[] = {
    {1, 1, "Project", "General"},
    {2, 2, "General", "General"},
    {3, 2, "Design factors", "Design factors"},
    {4, 2, "Deflection limits", "Deflection limits"},
    {11, 1, "Floor", "Geometry"},
    {12, 2, "Geometry", "Geometry"},
    {13, 2, "Floor loading", "Floor loading"},
    {14, 2, "Slab details", "Slab details"},
    {15, 2, "Shear connectors", "Shear connectors"},
    {16, 2, "Floor vibration", "Floor vibration"},
    {110, 1, "Beam 1", "Beam general"},
    {112, 2, "General", "Beam general"},
    {112, 2, "Section definition", "Section definition"},
    {113, 2, "Beam loading", "Beam loading"},
    {120, 1, "Beam 2", "Beam general"},
    {122, 2, "General", "Beam general"},
    {122, 2, "Section definition", "Section definition"},
    {123, 2, "Beam loading", "Beam loading"},
    {100, 1, "Beam 0", "Beam general"},
    {102, 2, "General", "Beam general"},
    {102, 2, "Section definition", "Section definition"},
    {103, 2, "Beam loading", "Beam loading"},
    {800, 1, "Analysis results", "Analysis results"},
};
constexpr int kItemIdRole = TfrmMain::kItemIdRole;
constexpr int kLevelRole = TfrmMain::kLevelRole;
constexpr int kPageRole = TfrmMain::kPageRole;

unsigned BeamNodeID(int Side) { return 100 + 10 * static_cast<unsigned>(Side); }

// The beam a node belongs to: its number lies within the beam node's number + 0..9.
int BeamOfNode(unsigned ItemID) {
  for (int side = 0; side < 3; ++side)
    if (ItemID >= BeamNodeID(side) && ItemID <= BeamNodeID(side) + 9) return side;
  return -1;
}

const QString kBeamGeneral = QStringLiteral("Beam general");
const QString kSectionDefinition = QStringLiteral("Section definition");
const QString kBeamLoading = QStringLiteral("Beam loading");

}  // namespace

// ---------------------------------------------------------------------------
// The tree

void TfrmMain::BuildNavigationTree() {
  const QSignalBlocker block(tree_);
  tree_->clear();
  QTreeWidgetItem* last_top = nullptr;
  for (const TNodeSpec& node : kNodes) {
    const bool has_page = Page(QString::fromLatin1(node.PageName)) != nullptr;
    QTreeWidgetItem* item = nullptr;
    if (node.Level == 1) {
      last_top = has_page ? new QTreeWidgetItem(tree_) : nullptr;
      item = last_top;
    } else if (last_top && has_page) {
      item = new QTreeWidgetItem(last_top);
    }
    if (!item) continue;
    item->setText(0, QString::fromLatin1(node.Caption));
    item->setData(0, kItemIdRole, node.ItemID);
    item->setData(0, kLevelRole, node.Level);
    item->setData(0, kPageRole, QString::fromLatin1(node.PageName));
  }
  if (admin_) admin_->AddNodes();
  tree_->expandAll();
  UpdateBeamCaptions();
  UpdateNodeVisibility();
}

// The tree is never narrower than its captions (a beam's mark included), so
// a small window takes its width from the pages, which scroll; a very long
// caption (an administrator's test) may still be cut.
void TfrmMain::FitTreeToCaptions() {
  const QFontMetrics metrics(tree_->font());
  int widest = 0;
  for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
    int depth = 1;  // the root's decoration
    for (const QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent()) ++depth;
    widest = std::max(widest, depth * tree_->indentation() + metrics.horizontalAdvance((*it)->text(0)));
  }
  const int chrome = 2 * tree_->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12;
  tree_->setMinimumWidth(std::min(widest + chrome, 320));
}

QTreeWidgetItem* TfrmMain::Node(unsigned ItemID, const QString& PageName) const {
  for (QTreeWidgetItemIterator it(tree_); *it; ++it)
    if ((*it)->data(0, kItemIdRole).toUInt() == ItemID &&
        (PageName.isEmpty() || (*it)->data(0, kPageRole).toString() == PageName))
      return *it;
  return nullptr;
}

bool TfrmMain::SelectNode(unsigned ItemID, const QString& PageName) {
  QTreeWidgetItem* item = Node(ItemID, PageName);
  if (!item) return false;
  tree_->setCurrentItem(item);
  return tree_->currentItem() == item;
}

void TfrmMain::UpdateNodeVisibility() {
  for (int side = 0; side < 3; ++side)
    if (QTreeWidgetItem* node = Node(BeamNodeID(side))) node->setHidden(!project_->GetHasBeam(side));
}

void TfrmMain::UpdateBeamCaptions() {
  for (int side = 0; side < 3; ++side) {
    const bool used = project_->GetHasBeam(side);
    run_->Summary()->SetLineVisible(side, used);
    const QString caption = ToQ(DefaultBeamCaption(*project_, side));
    const TImportedBeam& beam = *project_->GetBeam(side);
    run_->Summary()->SetBeamName(side, beam.Mark.empty() ? caption
                                                  : QString::fromLatin1(side == 0 ? "Pri" : "Sec") +
                                                        QStringLiteral(": ") + ToQ(beam.Mark));
    if (QTreeWidgetItem* node = Node(BeamNodeID(side))) node->setText(0, caption);
  }
  FitTreeToCaptions();
}

void TfrmMain::FloorLayoutChanged() {
  UpdateBeamCaptions();
  UpdateNodeVisibility();
  for (TDataPage* page : pages_) page->FloorLayoutChanged();
}

void TfrmMain::ShowTreeMenu(const QPoint& At) {
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("mnuTree"));
  menu.addAction(QStringLiteral("Expand All"), tree_, &QTreeWidget::expandAll);
  menu.addAction(QStringLiteral("Compress All"), tree_, &QTreeWidget::collapseAll);
  if (admin_) admin_->AddTestEditEntries(menu);
  menu.exec(tree_->viewport()->mapToGlobal(At));
}

// ---------------------------------------------------------------------------
// Moving between nodes

// A move is refused once after a failed field check, and the old node stays
// selected. Otherwise the page left is saved, the node's page shown, its
// beam made current, and the page checked silently; filling and checking
// must not clear the results, so the calculation flag is held meanwhile.
void TfrmMain::OnTreeItemChanged(QTreeWidgetItem* Current, QTreeWidgetItem* Previous) {
  if (!Current) return;
  if (!can_change_tabs_) {
    can_change_tabs_ = true;
    const QSignalBlocker block(tree_);
    tree_->setCurrentItem(Previous);
    return;
  }
  const bool saved_calc = changed_since_calc_;
  changed_since_calc_ = true;
  if (TDataPage* leaving = CurrentPage()) LeavePage(*leaving);
  TDataPage* page = Page(Current->data(0, kPageRole).toString());
  if (page) data_pages_->setCurrentWidget(page);
  const unsigned id = Current->data(0, kItemIdRole).toUInt();
  const int side = BeamOfNode(id);
  if (side != current_beam_) {
    current_beam_ = side;
    if (side >= 0) FillBeamPages(side, true);
  }
  if (page) page->CheckPage(field_checks_);
  if (admin_) admin_->NodeChosen(Current);
  changed_since_calc_ = saved_calc;
  if (id == kResultsNode && saved_calc) run_->Analyse();
}

void TfrmMain::LeavePage(TDataPage& Page) {
  if (!Page.IsBeamPage()) {
    Page.LeavingPage();
    return;
  }
  if (current_beam_ < 0) return;  // the pages show a beam only after a beam node was chosen
  if (Page.PageName() == kBeamLoading) {
    Page.UpdateBeamFromScreen(current_beam_);
    return;
  }
  SaveBeamPages(current_beam_);
  // A new section weighs differently: the automatic loads follow.
  if (project_->Geometry.WillAutocalcBeamLoading)
    if (TDataPage* loads = this->Page(kBeamLoading)) {
      const bool was_filling = filling_screens_;
      filling_screens_ = true;
      loads->UpdateScreenFromBeam(current_beam_);
      filling_screens_ = was_filling;
    }
}

void TfrmMain::FillBeamPages(int Side, bool WithLoads) {
  const bool was_filling = filling_screens_;
  filling_screens_ = true;
  CommitGeometry();
  for (const QString& name : {kBeamGeneral, kSectionDefinition, kBeamLoading})
    if (TDataPage* page = Page(name); page && (WithLoads || name != kBeamLoading)) page->UpdateScreenFromBeam(Side);
  filling_screens_ = was_filling;
}

void TfrmMain::SaveBeamPages(int Side) {
  CommitGeometry();
  for (const QString& name : {kBeamGeneral, kSectionDefinition})
    if (TDataPage* page = Page(name)) page->UpdateBeamFromScreen(Side);
}

void TfrmMain::CommitGeometry() {
  if (TDataPage* geometry = Page(QStringLiteral("Geometry"))) geometry->UpdateProjectFromScreen();
  project_->UpdateBeamGeometry();
}

void TfrmMain::ShowBeamSection(int Side, const QString& Grade, const QString& Name) {
  run_->Summary()->SetSection(Side, Grade, Name);
}

// ---------------------------------------------------------------------------
// Screens and project

void TfrmMain::UpdateScreensFromProject() {
  filling_screens_ = true;
  current_beam_ = -1;
  SetDataChangedSinceCalc(true);
  for (TDataPage* page : pages_) page->UpdateScreenFromProject();
  // Every beam in use fills the beam pages in turn; the last one stays shown
  // until a beam node is chosen.
  for (int side = 0; side < 3; ++side) {
    if (!project_->GetHasBeam(side)) continue;
    const TImportedBeam& beam = *project_->GetBeam(side);
    if (const TSteelSection* s = beam.SteelSectionList.Count() > 0 ? beam.SteelSection(0) : nullptr) {
      if (s->BaseSteelSection.IsStandard)
        run_->Summary()->SetSection(side, ToQ(s->Grade), ToQ(s->Name));
      else
        run_->Summary()->SetSection(side, QString(), ToQ(s->SectionType));
    }
    FillBeamPages(side, false);
  }
  UpdateBeamCaptions();
  UpdateNodeVisibility();
  // A freshly filled project always shows its first node, whatever an earlier check said.
  can_change_tabs_ = true;
  SelectNode(kProjectNode);
  ShowEventLogPage();
  for (TDataPage* page : pages_) page->CheckPage(field_checks_);
  filling_screens_ = false;
  SetDataChangedSinceSave(false);
}

void TfrmMain::UpdateProjectFromScreens() {
  // The project and floor pages in page order: project, geometry, loading, slab, connector.
  for (TDataPage* page : pages_)
    if (!page->IsBeamPage()) page->UpdateProjectFromScreen();
  project_->UpdateBeamGeometry();
  project_->UpdateAutoLoads();
  if (!project_->ShearConnector.IsCustom)
    ApplyLibraryConnector(project_->ShearConnector, session_->ShearConnectorLibrary);
  if (current_beam_ >= 0) {
    SaveBeamPages(current_beam_);
    if (TDataPage* loads = Page(kBeamLoading)) loads->UpdateBeamFromScreen(current_beam_);
    // The primary beam carries the secondary beams' weight: every beam's loads follow the sections saved.
    project_->UpdateAutoLoads();
  }
  project_->SetCWBRestrictions(&session_->CWBRestrictionLibrary);
}

void TfrmMain::RefreshScreensAfterDesign() {
  filling_screens_ = true;
  for (TDataPage* page : pages_)
    if (!page->IsBeamPage()) page->UpdateScreenFromProject();
  if (current_beam_ >= 0) FillBeamPages(current_beam_, true);
  filling_screens_ = false;
}

void TfrmMain::ApplyFloorUse(int Index) {
  if (Index < 0 || Index >= session_->FloorUseLibrary.Count()) return;
  project_->Geometry.FloorUseIndex = Index;
  project_->AssignFromFloorUse(*session_->FloorUseLibrary.ItemAs<TFloorUse>(Index));
  for (TDataPage* page : pages_) page->FloorUseApplied();
  project_->UpdateAutoLoads();
}
