#include "gui/FolderTreeView.h"

#include <QDir>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSortFilterProxyModel>

namespace quillmoor {

// The folders of the file system without the hidden ones, except those on the way to the
// folder the tree was last asked to show.
class VisibleFolders final : public QSortFilterProxyModel {
 public:
  VisibleFolders(QFileSystemModel* folders, QObject* parent)
      : QSortFilterProxyModel(parent), folders_(folders) {
    setSourceModel(folders);
  }

  void KeepShown(const QString& folder) {
    keptShown_ = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    invalidateFilter();
  }

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    const QModelIndex folder = folders_->index(row, 0, parent);
    if (!folders_->fileInfo(folder).isHidden()) return true;
    const QString path = folders_->filePath(folder);
    return keptShown_ == path || keptShown_.startsWith(path + '/');
  }

 private:
  QFileSystemModel* folders_;
  QString keptShown_;
};

FolderTreeView::FolderTreeView(FolderChanges changes, QWidget* parent)
    : QTreeView(parent),
      model_(new QFileSystemModel(this)),
      visible_(new VisibleFolders(model_, this)) {
  model_->setOption(QFileSystemModel::DontWatchForChanges, changes == FolderChanges::Ignored);
  // Hidden folders are taken in so that the one in use can be shown; VisibleFolders leaves
  // the others out.
  model_->setFilter(QDir::Dirs | QDir::Drives | QDir::NoDotAndDotDot | QDir::Hidden);
  model_->setRootPath(QString());
  setModel(visible_);
  // The file system's root (the drives on Windows) is the tree's only top level.
  setRootIndex(visible_->mapFromSource(model_->index(QString())));
  for (int column = 1; column < visible_->columnCount(); ++column) hideColumn(column);
  header()->hide();
  setRootIsDecorated(false);
  setIndentation(19);
  setSelectionMode(QAbstractItemView::SingleSelection);
  SelectFolder(QDir::homePath());
}

QString FolderTreeView::SelectedFolder() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return {};
  return QDir::toNativeSeparators(model_->filePath(visible_->mapToSource(selected.constFirst())));
}

void FolderTreeView::SelectFolder(const QString& folder) {
  const QModelIndex found = model_->index(folder);
  if (!found.isValid()) return;
  visible_->KeepShown(model_->filePath(found));
  const QModelIndex index = visible_->mapFromSource(found);
  for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) {
    expand(above);
  }
  expand(index);
  setCurrentIndex(index);
  scrollTo(index);
}

void FolderTreeView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) setCurrentIndex(index);
    return;
  }
  QTreeView::mousePressEvent(event);
}

}  // namespace quillmoor
