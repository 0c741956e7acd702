#include "profiles/ValueListEditor.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

const QColor kSilver(192, 192, 192);
const QColor kFocusBlue(49, 106, 197);

bool sameKey(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

class ValueCellDelegate final : public QStyledItemDelegate
{
public:
    explicit ValueCellDelegate(ValueListEditor* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const int row = index.row();
        const bool realRow = row < m_grid->RowCount();
        const bool fixed = realRow && m_grid->IsFixedRow(row) && m_grid->silverFixedValues();
        const QColor base = (index.column() == 1 && fixed) ? kSilver : opt.palette.color(QPalette::Text);
        const bool currentRow = m_grid->currentIndex().isValid() && m_grid->currentIndex().row() == row;

        QColor background = opt.palette.color(QPalette::Base);
        QColor text = base;
        if (index.column() == 0 && currentRow && m_grid->hasFocus()) {
            background = kFocusBlue;
            text = opt.palette.color(QPalette::HighlightedText);
        }
        painter->save();
        painter->fillRect(opt.rect, background);
        painter->setPen(text);
        painter->setFont(opt.font);
        const QRect textRect = opt.rect.adjusted(2, 0, -2, 0);
        painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                          opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, textRect.width()));
        painter->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        const int row = index.row();
        if (index.column() != 1 || row >= m_grid->RowCount())
            return nullptr;
        if (m_grid->GetEditStyle(row) == ValueListEditor::EditStyle::PickList) {
            auto* combo = new QComboBox(parent);
            combo->addItems(m_grid->PickList(row));
            combo->setEditable(false);
            // A choice takes effect at once, as a drop-down list in a grid does.
            connect(combo, qOverload<int>(&QComboBox::activated), this, [this, combo] {
                auto* self = const_cast<ValueCellDelegate*>(this);
                emit self->commitData(combo);
            });
            return combo;
        }
        if (m_grid->IsReadOnly(row))
            return nullptr;
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        Q_UNUSED(option);
        return edit;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        const QString value = index.data(Qt::EditRole).toString();
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const int at = combo->findText(value);
            if (at >= 0) {
                combo->setCurrentIndex(at);
            } else {
                combo->setCurrentIndex(-1);
            }
            return;
        }
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->setText(value);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        QString value;
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            if (combo->currentIndex() < 0)
                return;
            value = combo->currentText();
        } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            value = edit->text();
        } else {
            return;
        }
        if (value != index.data(Qt::EditRole).toString())
            m_grid->userEdited(index.row(), value);
    }

private:
    ValueListEditor* m_grid;
};

ValueListEditor::ValueListEditor(QWidget* parent) : QTableWidget(parent)
{
    setColumnCount(2);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(DefaultRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setMinimumSectionSize(8);
    setFrameShape(QFrame::NoFrame);
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setItemDelegate(new ValueCellDelegate(this));
    setWordWrap(false);
    connect(this, &QTableWidget::itemChanged, this, [this] { emit StringsChange(); });
    showEmptyRow();
}

void ValueListEditor::showEmptyRow()
{
    const QSignalBlocker blocker(this);
    setRowCount(1);
    setItem(0, 0, new QTableWidgetItem());
    setItem(0, 1, new QTableWidgetItem());
    item(0, 0)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item(0, 1)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}

int ValueListEditor::FindRow(const QString& key) const
{
    for (int row = 0; row < m_rowCount; ++row) {
        if (sameKey(Key(row), key))
            return row;
    }
    return -1;
}

QString ValueListEditor::Key(int row) const
{
    const QTableWidgetItem* cell = item(row, 0);
    return row < m_rowCount && cell ? cell->text() : QString();
}

QString ValueListEditor::Value(int row) const
{
    const QTableWidgetItem* cell = item(row, 1);
    return row < m_rowCount && cell ? cell->text() : QString();
}

QString ValueListEditor::Values(const QString& key) const
{
    const int row = FindRow(key);
    return row < 0 ? QString() : Value(row);
}

void ValueListEditor::SetValues(const QString& key, const QString& value)
{
    const int row = FindRow(key);
    if (row < 0)
        InsertRow(key, value);
    else
        SetValue(row, value);
}

void ValueListEditor::SetValue(int row, const QString& value)
{
    if (row < 0 || row >= m_rowCount)
        return;
    item(row, 1)->setText(value);
}

int ValueListEditor::InsertRow(const QString& key, const QString& value)
{
    const int row = m_rowCount;
    {
        const QSignalBlocker blocker(this);
        if (m_rowCount > 0)
            setRowCount(m_rowCount + 1);
        setItem(row, 0, new QTableWidgetItem(key));
        setItem(row, 1, new QTableWidgetItem(value));
        ++m_rowCount;
        m_rows.append(RowInfo());
        applyFlags(row);
    }
    emit StringsChange();
    return row;
}

void ValueListEditor::DeleteRow(int row)
{
    if (row < 0 || row >= m_rowCount)
        return;
    {
        const QSignalBlocker blocker(this);
        m_rows.removeAt(row);
        --m_rowCount;
        if (m_rowCount == 0)
            showEmptyRow();
        else
            removeRow(row);
    }
    emit StringsChange();
}

void ValueListEditor::ClearRows()
{
    for (int row = m_rowCount - 1; row >= 0; --row)
        DeleteRow(row);
}

void ValueListEditor::SetReadOnly(int row, bool readOnly)
{
    if (row < 0 || row >= m_rowCount)
        return;
    m_rows[row].readOnly = readOnly;
    applyFlags(row);
}

bool ValueListEditor::IsReadOnly(int row) const
{
    return row >= 0 && row < m_rowCount && m_rows[row].readOnly;
}

void ValueListEditor::SetEditStyle(int row, EditStyle style)
{
    if (row < 0 || row >= m_rowCount)
        return;
    m_rows[row].style = style;
    applyFlags(row);
}

ValueListEditor::EditStyle ValueListEditor::GetEditStyle(int row) const
{
    return row >= 0 && row < m_rowCount ? m_rows[row].style : EditStyle::Simple;
}

void ValueListEditor::SetPickList(int row, const QStringList& items)
{
    if (row >= 0 && row < m_rowCount)
        m_rows[row].pickList = items;
}

QStringList ValueListEditor::PickList(int row) const
{
    return row >= 0 && row < m_rowCount ? m_rows[row].pickList : QStringList();
}

bool ValueListEditor::IsFixedRow(int row) const
{
    return IsReadOnly(row) && GetEditStyle(row) != EditStyle::PickList;
}

void ValueListEditor::applyFlags(int row)
{
    const QSignalBlocker blocker(this);
    item(row, 0)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    Qt::ItemFlags valueFlags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_rows[row].style == EditStyle::PickList || !m_rows[row].readOnly)
        valueFlags |= Qt::ItemIsEditable;
    item(row, 1)->setFlags(valueFlags);
}

void ValueListEditor::userEdited(int row, const QString& value)
{
    SetValue(row, value);
    emit ValueEdited(row);
}

void ValueListEditor::Refresh()
{
    viewport()->update();
    update();
}

void ValueListEditor::FitHeightToRows()
{
    setFixedHeight(18 * rowCount());
}

void ValueListEditor::mousePressEvent(QMouseEvent* event)
{
    emit MouseDown(event->button(), event->position().toPoint());
    QTableWidget::mousePressEvent(event);
}

void ValueListEditor::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    viewport()->update();
}

void ValueListEditor::focusOutEvent(QFocusEvent* event)
{
    QTableWidget::focusOutEvent(event);
    viewport()->update();
}
