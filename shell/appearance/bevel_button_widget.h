#pragma once
// A bevel button: a caption on a bevelled face, optionally with a pop-up menu of rows.
// The menu's actions are the rows (0..n-1, separators included); MenuValue names a
// row that can be chosen, and only the user's choice raises Action.

#include "shell/appearance/appearance_abi.h"
#include "shell/appearance/repaint.h"

#include <QAbstractButton>
#include <QMenu>
#include <QString>

class BevelButtonWidget : public QAbstractButton {
  public:
    BevelButtonWidget(QWidget* parent, AppearanceEventCallback callback, void* context);

    void AddRow(const QString& text);
    void AddSeparator();
    // Inserts before row `index`; 0..RowCount() (RowCount() appends), else nothing.
    void InsertRow(int32_t index, const QString& text);
    void RemoveRow(int32_t index);
    void DeleteAllRows();
    int32_t RowCount() const { return static_cast<int32_t>(menu_->actions().size()); }
    // A row's text ("-" for a separator), empty outside the rows.
    QString List(int32_t index) const;
    // What the user's choice of a row does: MenuValue becomes the row, then Action.
    void ChooseRow(int32_t row);
    // What a click does: pops the menu up, or raises Action when there is no menu.
    void Push();

    int32_t HasMenu() const { return has_menu_; }
    void SetHasMenu(int32_t has_menu) { SetAndRepaint(*this, has_menu_, has_menu); }
    int32_t MenuValue() const { return menu_value_; }
    void SetMenuValue(int32_t row);
    // The pressed state of a toggle (ButtonType 1) or sticky (2) button.
    bool Value() const { return value_; }
    void SetValue(bool value) { SetAndRepaint(*this, value_, value); }
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    int32_t CaptionAlign() const { return caption_align_; }
    void SetCaptionAlign(int32_t align) { SetAndRepaint(*this, caption_align_, align); }
    int32_t CaptionPlacement() const { return caption_placement_; }
    void SetCaptionPlacement(int32_t placement) { caption_placement_ = placement; }
    int32_t CaptionDelta() const { return caption_delta_; }
    void SetCaptionDelta(int32_t delta) { SetAndRepaint(*this, caption_delta_, delta); }
    // The style has one bevel depth; the code is kept for the caller.
    int32_t Bevel() const { return bevel_; }
    void SetBevel(int32_t bevel) { bevel_ = bevel; }
    int32_t ButtonType() const { return button_type_; }
    void SetButtonType(int32_t type) { button_type_ = type; }
    // The icon's image file, empty for none.
    QString Icon() const { return icon_path_; }
    void SetIcon(const QString& path) { SetAndRepaint(*this, icon_path_, path); }
    int32_t IconAlign() const { return icon_align_; }
    void SetIconAlign(int32_t align) { SetAndRepaint(*this, icon_align_, align); }
    int32_t IconDX() const { return icon_dx_; }
    void SetIconDX(int32_t dx) { SetAndRepaint(*this, icon_dx_, dx); }
    int32_t IconDY() const { return icon_dy_; }
    void SetIconDY(int32_t dy) { SetAndRepaint(*this, icon_dy_, dy); }
    uint32_t TextColor() const { return text_color_; }
    void SetTextColor(uint32_t rgb) { SetAndRepaint(*this, text_color_, rgb & 0xFFFFFF); }
    bool HasBackColor() const { return has_back_color_; }
    void SetHasBackColor(bool has) { SetAndRepaint(*this, has_back_color_, has); }
    uint32_t BackColor() const { return back_color_; }
    void SetBackColor(uint32_t rgb) { SetAndRepaint(*this, back_color_, rgb & 0xFFFFFF); }
    // The font is the widget's own, set through these members; sizes are pixels, 0 the
    // platform's default.
    QString TextFont() const { return font().family(); }
    void SetTextFont(const QString& family);
    double TextSize() const;
    void SetTextSize(double size);
    int32_t TextUnit() const { return text_unit_; }
    void SetTextUnit(int32_t unit) { text_unit_ = unit; }
    bool Bold() const { return font().bold(); }
    void SetBold(bool bold);
    bool Italic() const { return font().italic(); }
    void SetItalic(bool italic);
    bool Underline() const { return font().underline(); }
    void SetUnderline(bool underline);
    // Kept apart from the focus policy, which the framework may reset; setting it again
    // re-applies it.
    bool AcceptFocus() const { return accept_focus_; }
    void SetAcceptFocus(bool accept);

    QMenu* Menu() const { return menu_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool IsChoosable(int32_t row) const;
    void ShowMenu();
    void Raise(int32_t event, int32_t argument);

    AppearanceEventCallback callback_;
    void* context_;
    QMenu* menu_;
    int32_t has_menu_ = 0, menu_value_ = 0, button_type_ = 0, bevel_ = 0;
    int32_t caption_align_ = 3, caption_placement_ = 1, caption_delta_ = 0;
    int32_t icon_align_ = 0, icon_dx_ = 0, icon_dy_ = 0, text_unit_ = 0;
    bool value_ = false, has_back_color_ = false, accept_focus_ = false;
    uint32_t text_color_ = 0x000000, back_color_ = 0x000000;
    QString icon_path_;
};
