#include "window_fields.h"

#include "builder_state.h"
#include "resource.h"

namespace {

// LIST: a drop-down list that offers only its own entries.
enum ControlKind { EDIT, COMBO, LIST, CHECKBOX, MULTILINE };

struct FieldWidget {
    Field field;
    int control;
    ControlKind kind;
};

const FieldWidget WIDGETS[] = {
    {FIELD_SOURCE, IDC_SOURCE, EDIT},
    {FIELD_OUTPUT, IDC_OUTPUT, EDIT},
    {FIELD_TITLE, IDC_TITLE, EDIT},
    {FIELD_USE_PASSWORD, IDC_USE_PASSWORD, CHECKBOX},
    {FIELD_PASSWORD, IDC_PASSWORD, EDIT},
    {FIELD_CONFIRM, IDC_CONFIRM, EDIT},
    {FIELD_PROTECTION, IDC_PROTECTION, LIST},
    {FIELD_LICENCE, IDC_LICENCE, EDIT},
    {FIELD_BACKGROUND, IDC_BACKGROUND, EDIT},
    {FIELD_BACKGROUND_PLACEMENT, IDC_BACKGROUND_PLACEMENT, COMBO},
    {FIELD_BACK_COLOUR, IDC_BACK_COLOUR, EDIT},
    {FIELD_LOGO, IDC_LOGO, EDIT},
    {FIELD_LOGO_PLACEMENT, IDC_LOGO_PLACEMENT, COMBO},
    {FIELD_LOGO_KEY, IDC_LOGO_KEY, EDIT},
    {FIELD_SPLASH_TEXT, IDC_SPLASH_TEXT, MULTILINE},
    {FIELD_TEXT_PLACEMENT, IDC_TEXT_PLACEMENT, COMBO},
    {FIELD_TEXT_COLOUR, IDC_TEXT_COLOUR, EDIT},
    {FIELD_SHADOW_COLOUR, IDC_SHADOW_COLOUR, EDIT},
    {FIELD_SHADOW_OFFSET, IDC_SHADOW_OFFSET, EDIT},
    {FIELD_TEXT_HEIGHT, IDC_TEXT_HEIGHT, EDIT},
    {FIELD_FONT_FILE, IDC_FONT_FILE, EDIT},
    {FIELD_FONT_FACE, IDC_FONT_FACE, EDIT},
    {FIELD_NO_EXPORT, IDC_NO_EXPORT, CHECKBOX},
    {FIELD_CLEAR_RECENT, IDC_CLEAR_RECENT, CHECKBOX},
    {FIELD_HIDE_TITLE, IDC_HIDE_TITLE, CHECKBOX},
    {FIELD_BROWSER_READER, IDC_BROWSER_READER, CHECKBOX},
};
static_assert(sizeof WIDGETS / sizeof WIDGETS[0] == FIELD_COUNT, "every field has its control");

const FieldWidget* FindWidget(Field field)
{
    for (const FieldWidget& widget : WIDGETS) {
        if (widget.field == field)
            return &widget;
    }
    return nullptr;
}

std::wstring ControlText(HWND control)
{
    int length = GetWindowTextLengthW(control);
    std::wstring text((size_t)length + 1, L'\0');
    length = GetWindowTextW(control, &text[0], length + 1);
    text.resize((size_t)(length > 0 ? length : 0));
    return text;
}

// The edit control shows CR LF; the settings keep plain line feeds.
std::string WithoutCarriageReturns(std::string text)
{
    std::string out;
    for (char c : text) {
        if (c != '\r')
            out.push_back(c);
    }
    return out;
}

std::string WithCarriageReturns(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\r\n";
        else if (c != '\r')
            out.push_back(c);
    }
    return out;
}

template <size_t N>
void FillList(HWND window, int control, const char* const (&names)[N])
{
    HWND list = GetDlgItem(window, control);
    for (const char* name : names)
        SendMessageW(list, CB_ADDSTRING, 0, (LPARAM)Widen(name).c_str());
}

// A value the list does not offer (a project file written by hand) is
// added, so the window shows it and the check before the build names it.
void SelectListEntry(HWND list, const std::string& value)
{
    std::wstring wide = Widen(value);
    LRESULT at = SendMessageW(list, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)wide.c_str());
    if (at == CB_ERR)
        at = SendMessageW(list, CB_ADDSTRING, 0, (LPARAM)wide.c_str());
    SendMessageW(list, CB_SETCURSEL, (WPARAM)at, 0);
}

}  // namespace

int FieldControl(Field field)
{
    const FieldWidget* widget = FindWidget(field);
    return widget ? widget->control : 0;
}

void FillPlacementLists(HWND window)
{
    FillList(window, IDC_BACKGROUND_PLACEMENT, BACKGROUND_PLACEMENTS);
    FillList(window, IDC_LOGO_PLACEMENT, LOGO_PLACEMENTS);
    FillList(window, IDC_TEXT_PLACEMENT, TEXT_PLACEMENTS);
    FillList(window, IDC_PROTECTION, PROTECTIONS);
}

ProjectSettings SettingsFromWindow(HWND window)
{
    ProjectSettings settings = DefaultSettings();
    for (const FieldWidget& widget : WIDGETS) {
        HWND control = GetDlgItem(window, widget.control);
        if (widget.kind == CHECKBOX)
            settings[widget.field] = IsDlgButtonChecked(window, widget.control) == BST_CHECKED ? "1" : "0";
        else if (widget.kind == MULTILINE)
            settings[widget.field] = WithoutCarriageReturns(Narrow(ControlText(control)));
        else
            settings[widget.field] = Narrow(ControlText(control));
    }
    return settings;
}

void ShowSettingsInWindow(HWND window, const ProjectSettings& settings)
{
    for (const FieldWidget& widget : WIDGETS) {
        const std::string& value = settings[widget.field];
        if (widget.kind == CHECKBOX)
            CheckDlgButton(window, widget.control, value == "1" ? BST_CHECKED : BST_UNCHECKED);
        else if (widget.kind == MULTILINE)
            SetDlgItemTextW(window, widget.control, Widen(WithCarriageReturns(value)).c_str());
        else if (widget.kind == LIST)
            SelectListEntry(GetDlgItem(window, widget.control), value);
        else
            SetDlgItemTextW(window, widget.control, Widen(value).c_str());
    }
    ShowPasswordState(window);
}

void ShowPasswordState(HWND window)
{
    bool ticked = IsDlgButtonChecked(window, IDC_USE_PASSWORD) == BST_CHECKED;
    bool typed = GetWindowTextLengthW(GetDlgItem(window, IDC_PASSWORD)) > 0;
    // The protection is a property of the password: without one there is nothing to choose.
    EnableWindow(GetDlgItem(window, IDC_PROTECTION), ticked);
    // A reopened project's password is not in its file: the author types it again.
    ShowWindow(GetDlgItem(window, IDC_PASSWORD_NOTE), ticked && !typed ? SW_SHOW : SW_HIDE);
}

void FocusField(HWND window, Field field)
{
    const FieldWidget* widget = FindWidget(field);
    if (!widget)
        return;
    HWND control = GetDlgItem(window, widget->control);
    // The dialog's own way of moving the focus keeps the default button right.
    SendMessageW(window, WM_NEXTDLGCTL, (WPARAM)control, TRUE);
    if (widget->kind == EDIT || widget->kind == MULTILINE)
        SendMessageW(control, EM_SETSEL, 0, -1);
    else if (widget->kind == COMBO)
        SendMessageW(control, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}
