#include "gui/FolderTree.h"

#include <QDir>
#include <QHeaderView>
#include <QMouseEvent>

namespace quillmoor {

FolderTree::FolderTree(bool watchChanges, QWidget* parent)
    : QTreeView(parent), model_(new QFileSystemModel(this)) {
  model_->setOption(QFileSystemModel::DontWatchForChanges, !watchChanges);
  model_->setFilter(QDir::Dirs | QDir::Drives | QDir::NoDotAndDotDot | QDir::Hidden);
  model_->setRootPath(QString());
  setModel(model_);
  // The file system's root (the drives on Windows) is the tree's only top level.
  setRootIndex(model_->index(QString()));
  for (int column = 1; column < model_->columnCount(); ++column) hideColumn(column);
  header()->hide();
  setRootIsDecorated(false);
  setIndentation(19);
  setSelectionMode(QAbstractItemView::SingleSelection);
  SelectFolder(QDir::homePath());
}

QString FolderTree::SelectedFolder() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return {};
  return QDir::toNativeSeparators(model_->filePath(selected.constFirst()));
}

void FolderTree::SelectFolder(const QString& folder) {
  const QModelIndex index = model_->index(folder);
  if (!index.isValid()) return;
  for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) {
    expand(above);
  }
  expand(index);
  setCurrentIndex(index);
  scrollTo(index);
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) setCurrentIndex(index);
    return;
  }
  QTreeView::mousePressEvent(event);
}

}  // namespace quillmoor
