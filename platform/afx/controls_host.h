// The host widgets: one per window class, each the class's window procedure on a Qt widget.
#pragma once

#include "platform/afx/window_host.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

template <class Base>
class Host : public Base, public WindowRecord {
public:
    Host(QWidget* parent, WindowKind kind) : Base(parent), WindowRecord(this, kind) { this->setMouseTracking(true); }

protected:
    bool event(QEvent* e) override
    {
        return HandleEvent(e, [this](QEvent* ev) { return Base::event(ev); });
    }
};

// Our own windows: painted through WM_ERASEBKGND and WM_PAINT into the backing image.
class GenericHost : public Host<QWidget> {
public:
    GenericHost(QWidget* parent, WindowKind kind);
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    // The background of the window's registered class; null erases nothing.
    HBRUSH classBrush = nullptr;

protected:
    bool event(QEvent* e) override;
    // The brush WM_ERASEBKGND fills the window with.
    virtual HBRUSH EraseBrush(HDC hdc);
};

// Dialogs: Esc and the close box cancel, and the background is the parent's WM_CTLCOLOR answer.
class DialogHost : public GenericHost {
public:
    explicit DialogHost(QWidget* parent) : GenericHost(parent, WindowKind::Dialog) {}
    // The live dialog of a handle, or null.
    static DialogHost* From(HWND hWnd);
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    // Leaves the modal loop that runs the dialog, while one does.
    std::function<void()> endModal;

protected:
    HBRUSH EraseBrush(HDC hdc) override;
    void WindowDestroyed() override;
};

class ButtonHost : public Host<QPushButton> {
public:
    explicit ButtonHost(QWidget* parent);
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void ApplyText() override { setText(ToQString(windowText)); }

protected:
    void paintEvent(QPaintEvent* e) override;
};

template <class Base>
class CheckHost : public Host<Base> {
public:
    explicit CheckHost(QWidget* parent) : Host<Base>(parent, WindowKind::Button) {}
    void ApplyText() override { this->setText(ToQString(this->windowText)); }
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
};

class GroupHost : public Host<QGroupBox> {
public:
    explicit GroupHost(QWidget* parent) : Host<QGroupBox>(parent, WindowKind::Button) {}
    void ApplyText() override { setTitle(ToQString(windowText)); }

protected:
    void paintEvent(QPaintEvent* e) override;
};

class StaticHost : public Host<QLabel> {
public:
    explicit StaticHost(QWidget* parent) : Host<QLabel>(parent, WindowKind::Static) {}
    void ApplyText() override;

protected:
    bool event(QEvent* e) override;
};

class EditHost : public Host<QLineEdit> {
public:
    explicit EditHost(QWidget* parent);
    void ApplyText() override;
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

protected:
    bool event(QEvent* e) override;
};

class ComboHost : public Host<QComboBox> {
public:
    ComboHost(QWidget* parent, WindowKind kind);
    void ApplyText() override;
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    HIMAGELIST imageList = nullptr;
};

class ListHost : public Host<QListWidget> {
public:
    explicit ListHost(QWidget* parent);
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void SendDrawItem(QPainter* painter, const QRect& rect, int row, bool selected, bool focused);
    QWidget* ClientArea() override { return viewport(); }

    int horizontalExtent = 0;
    bool changingSelection = false;

protected:
    bool viewportEvent(QEvent* e) override;
};

class SliderHost : public Host<QSlider> {
public:
    explicit SliderHost(QWidget* parent);
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    // The range as set, also one whose maximum is below its minimum (an empty list's 0..-1),
    // which the toolkit's slider would narrow.
    int rangeMin = 0;
    int rangeMax = 100;
    bool showsSelection = false;
    int selectionStart = 0;
    int selectionEnd = 0;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void ApplyRange();
};

class UpDownHost : public Host<QWidget> {
public:
    explicit UpDownHost(QWidget* parent);
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    // One arrow press: +1 for the up arrow, -1 for the down arrow.
    void Step(int arrow);
    void AttachBuddy(HWND hwnd);
    void Created() override;

    int lower = 100;
    int upper = 0;
    int pos = 0;
    HWND buddy = nullptr;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    // Takes the buddy's number as the position when it lies within the range.
    void ReadBuddy(BOOL* error);
    void UpdateBuddy();
};

// The hosts of the built-in window classes (see window_classes.cpp), set up for a style.
WindowRecord* CreateButtonHost(QWidget* parent, DWORD style);
WindowRecord* CreateStaticHost(QWidget* parent, DWORD style);
WindowRecord* CreateEditHost(QWidget* parent, DWORD style);
WindowRecord* CreateComboBoxHost(QWidget* parent, DWORD style);
WindowRecord* CreateComboBoxExHost(QWidget* parent, DWORD style);
WindowRecord* CreateListBoxHost(QWidget* parent, DWORD style);
WindowRecord* CreateTrackbarHost(QWidget* parent, DWORD style);
WindowRecord* CreateUpDownHost(QWidget* parent, DWORD style);
WindowRecord* CreateDialogHost(QWidget* parent, DWORD style);
WindowRecord* CreateGenericHost(QWidget* parent, DWORD style);

// What an image list holds, for the combo box with images.
struct ImageListData {
    int cx = 16;
    int cy = 16;
    std::vector<QPixmap> images;
};
ImageListData* ImageListFrom(HIMAGELIST list);
