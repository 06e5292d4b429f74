// The window-control stand-in shared by the four controls.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "quorvantix/canvas.h"
#include "quorvantix/property.h"

namespace qv {

// What a paint did to the data, readable afterwards; never thrown to a host.
struct Note {
    enum class Severity : std::uint8_t {
        // Data adjusted as the symbology defines: characters left out, data padded or cut.
        Warning,
        // The symbol does not stand for the data (it scans as something else, or nothing fits).
        Error,
    };
    Severity severity;
    std::string text;
    friend bool operator==(const Note&, const Note&) = default;
};

class Control {
  public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    std::int32_t Width = 200;
    std::int32_t Height = 200;

    // Draws the symbol on any canvas; the caller owns the canvas.
    virtual void paintBarcode(Canvas& canvas) = 0;

    // The published properties, in declaration order.
    virtual std::span<const PropertyInfo> properties() const = 0;

    // The paint handler: an off-screen bitmap of the control's size, paintBarcode on it, then a
    // copy of (0, 0, Width, Height) onto the window's canvas. The bitmap is freed whatever happens.
    void paint(Canvas& window);

    // What the last paint left out, padded, cut or could not represent. Never thrown to a host.
    const std::vector<Note>& notes() const { return notes_; }

  protected:
    void clearNotes() { notes_.clear(); }
    void addNote(Note::Severity severity, std::string text) {
        notes_.push_back(Note{severity, std::move(text)});
    }

  private:
    std::vector<Note> notes_;
};

}  // namespace qv
