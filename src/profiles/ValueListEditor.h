#pragma once

#include <QStringList>
#include <QTableWidget>

// A two-column name/value grid: rows addressed by name without regard to
// case, a per-row read-only flag, and a pick-list edit style whose value is
// chosen from a drop-down. It never shows fewer than one row: a grid without
// rows shows one empty row that is not a parameter.
//
// Cells are painted so that the current row is marked only on its name cell
// (blue while the grid has the focus, window colour without) and no value
// cell is ever highlighted; values of fixed rows (read-only, not a pick
// list) are silver when silverFixedValues is on.
class ValueListEditor final : public QTableWidget
{
    Q_OBJECT

public:
    enum class EditStyle { Simple, PickList };
    static constexpr int DefaultRowHeight = 17;

    explicit ValueListEditor(QWidget* parent = nullptr);

    // Number of real rows (0 when only the empty row is shown).
    int RowCount() const { return m_rowCount; }
    // Index of the first row named `key` (case-insensitive), -1 when none.
    int FindRow(const QString& key) const;
    QString Key(int row) const;
    QString Value(int row) const;
    // The value of the row named `key`; the empty text when there is none.
    QString Values(const QString& key) const;
    // Sets the value of the row named `key`, appending key=value when no
    // row has that name.
    void SetValues(const QString& key, const QString& value);
    void SetValue(int row, const QString& value);
    // Appends a row; returns its index.
    int InsertRow(const QString& key, const QString& value);
    void DeleteRow(int row);
    // Removes every row, last to first (the empty row remains).
    void ClearRows();

    void SetReadOnly(int row, bool readOnly);
    bool IsReadOnly(int row) const;
    void SetEditStyle(int row, EditStyle style);
    EditStyle GetEditStyle(int row) const;
    void SetPickList(int row, const QStringList& items);
    QStringList PickList(int row) const;
    // Read-only and not a pick list: a fixed parameter.
    bool IsFixedRow(int row) const;

    void setSilverFixedValues(bool on) { m_silverFixedValues = on; }
    bool silverFixedValues() const { return m_silverFixedValues; }

    // Recount the rows and repaint the grid and its editor.
    void Refresh();
    // Sets the grid's height to 18 x rows (the one empty row counts).
    void FitHeightToRows();
    int VisibleRowCount() const { return rowCount(); }

signals:
    // Any change of the grid's content: a value chosen, typed or set, rows added or removed.
    void StringsChange();
    // The user left a value cell whose text had changed.
    void ValueEdited(int row);
    // A mouse button went down anywhere in the grid.
    void MouseDown(Qt::MouseButton button, const QPoint& position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class ValueCellDelegate;
    struct RowInfo {
        bool readOnly = false;
        EditStyle style = EditStyle::Simple;
        QStringList pickList;
    };
    void showEmptyRow();
    void applyFlags(int row);
    void userEdited(int row, const QString& value);

    QList<RowInfo> m_rows;
    int m_rowCount = 0;
    bool m_silverFixedValues = true;
};
