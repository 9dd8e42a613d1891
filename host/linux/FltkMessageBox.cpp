#include "host/linux/FltkMessageBox.h"

#include "host/linux/X11Display.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <memory>
#include <string>

namespace diglux {

namespace {

constexpr int kMargin = 16;
constexpr int kIconSize = 48;
constexpr int kGap = 12;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 28;
constexpr int kMinimumWidth = 240;
constexpr int kFontSize = 14;

struct Answer {
    Fl_Window* window = nullptr;
    MessageResult result = MessageResult::Cancel;
};

struct ButtonBinding {
    Answer* answer = nullptr;
    MessageResult result = MessageResult::Cancel;
};

// FLTK labels treat "@" as the start of a symbol; carriage returns are not line breaks.
std::string LabelText(const std::string& text) {
    std::string label;
    for (const char c : text) {
        if (c == '\r') {
            continue;
        }
        if (c == '@') {
            label += '@';
        }
        label += c;
    }
    return label;
}

struct IconLook {
    const char* symbol;
    Fl_Color color;
};

IconLook LookOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return {"X", FL_RED};
    case MessageIcon::Question:
        return {"?", FL_BLUE};
    case MessageIcon::Exclamation:
        return {"!", FL_DARK_YELLOW};
    case MessageIcon::Information:
        return {"i", FL_BLUE};
    default: // no icon (X11's headers claim the enumerator's name)
        return {nullptr, FL_BLACK};
    }
}

void AddIcon(MessageIcon icon) {
    const IconLook look = LookOf(icon);
    if (look.symbol == nullptr) {
        return;
    }
    auto* box = new Fl_Box(kMargin, kMargin, kIconSize, kIconSize, look.symbol);
    box->box(FL_THIN_UP_BOX);
    box->color(FL_WHITE);
    box->labelfont(FL_TIMES_BOLD);
    box->labelsize(34);
    box->labelcolor(look.color);
}

void OnButton(Fl_Widget* /*button*/, void* data) {
    auto* binding = static_cast<ButtonBinding*>(data);
    binding->answer->result = binding->result;
    binding->answer->window->hide();
}

void OnClose(Fl_Widget* window, void* /*data*/) {
    window->hide(); // the answer stays the closed-box result
}

struct BoxLayout {
    int width = 0;
    int height = 0;
    int textLeft = 0;
    int textWidth = 0;
    int bodyHeight = 0;
    int buttonTop = 0;
    int buttonsLeft = 0;
};

BoxLayout LayOut(const std::string& text, bool hasIcon, int buttonCount) {
    fl_font(FL_HELVETICA, kFontSize);
    int textWidth = 0;
    int textHeight = 0;
    fl_measure(text.c_str(), textWidth, textHeight);
    BoxLayout layout;
    layout.textLeft = kMargin + (hasIcon ? kIconSize + kGap : 0);
    layout.textWidth = textWidth;
    const int rowWidth = buttonCount * (kButtonWidth + kGap) - kGap;
    layout.width =
        std::max({layout.textLeft + textWidth + kMargin, rowWidth + 2 * kMargin, kMinimumWidth});
    layout.bodyHeight = std::max(textHeight, hasIcon ? kIconSize : 0);
    layout.buttonTop = kMargin + layout.bodyHeight + kGap + 4;
    layout.height = layout.buttonTop + kButtonHeight + kMargin;
    layout.buttonsLeft = layout.width - kMargin - rowWidth; // right-aligned row
    return layout;
}

// A default button the box does not have falls back to the first, as on Windows.
std::size_t DefaultIndex(int defaultButton, std::size_t count) {
    const auto wanted = static_cast<std::size_t>(defaultButton - 1);
    return defaultButton >= 1 && wanted < count ? wanted : 0;
}

// Adds the row of buttons; Enter presses the default one. Returns the default button.
Fl_Button* AddButtons(const std::vector<MessageBoxButton>& buttons, std::size_t defaultIndex,
                      const BoxLayout& layout, Answer& answer,
                      std::vector<ButtonBinding>& bindings) {
    bindings.resize(buttons.size());
    Fl_Button* defaultButton = nullptr;
    int left = layout.buttonsLeft;
    for (std::size_t i = 0; i < buttons.size(); ++i, left += kButtonWidth + kGap) {
        const int top = layout.buttonTop;
        Fl_Button* button = i == defaultIndex
                                ? new Fl_Return_Button(left, top, kButtonWidth, kButtonHeight)
                                : new Fl_Button(left, top, kButtonWidth, kButtonHeight);
        button->label(buttons[i].label);
        bindings[i] = {&answer, buttons[i].result};
        button->callback(&OnButton, &bindings[i]);
        if (i == defaultIndex) {
            defaultButton = button;
        }
    }
    return defaultButton;
}

} // namespace

std::vector<MessageBoxButton> MessageBoxButtonsFor(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return {{"OK", MessageResult::Ok}};
    case MessageButtons::OkCancel:
        return {{"OK", MessageResult::Ok}, {"Abbrechen", MessageResult::Cancel}};
    case MessageButtons::YesNo:
        return {{"Ja", MessageResult::Yes}, {"Nein", MessageResult::No}};
    case MessageButtons::YesNoCancel:
        return {{"Ja", MessageResult::Yes},
                {"Nein", MessageResult::No},
                {"Abbrechen", MessageResult::Cancel}};
    }
    return {{"OK", MessageResult::Ok}};
}

MessageResult MessageBoxClosedResult(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageResult::Ok;
    case MessageButtons::YesNo:
        return MessageResult::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
        break;
    }
    return MessageResult::Cancel;
}

MessageResult RunMessageBox(const MessageBoxRequest& request) {
    const auto buttons = MessageBoxButtonsFor(request.buttons);
    const std::string text = LabelText(request.text);
    const std::string title = request.title;
    const BoxLayout layout =
        LayOut(text, LookOf(request.icon).symbol != nullptr, static_cast<int>(buttons.size()));

    Fl_Window window(layout.width, layout.height, title.c_str());
    window.xclass("Diglux");
    window.size_range(layout.width, layout.height, layout.width, layout.height);
    window.set_modal();
    Answer answer{&window, MessageBoxClosedResult(request.buttons)};
    window.callback(&OnClose);
    AddIcon(request.icon);
    auto* label =
        new Fl_Box(layout.textLeft, kMargin, layout.textWidth, layout.bodyHeight, text.c_str());
    label->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    label->labelsize(kFontSize);
    std::vector<ButtonBinding> bindings;
    Fl_Button* defaultButton = AddButtons(
        buttons, DefaultIndex(request.defaultButton, buttons.size()), layout, answer, bindings);
    window.end();

    int screenX = 0;
    int screenY = 0;
    int screenW = 0;
    int screenH = 0;
    Fl::screen_work_area(screenX, screenY, screenW, screenH, 0);
    window.position(screenX + (screenW - layout.width) / 2,
                    screenY + (screenH - layout.height) / 2);
    window.show();
    defaultButton->take_focus();
    // Without a display no button can ever be pressed: the box answers as if it was closed.
    while (window.shown() && !X11DisplayLost()) {
        Fl::wait();
    }
    return answer.result;
}

} // namespace diglux
