#include "csv_reader.h"

#include <cstdint>

namespace qv::cli {

bool CsvReader::next(CsvRecord& record) {
    using Traits = std::char_traits<char>;
    record.fields.assign(1, {});
    record.error.clear();
    record.blank = false;
    enum class State : std::uint8_t { FieldStart, Unquoted, Quoted, AfterQuote, Skip };
    State state = State::FieldStart;
    std::size_t held = 0;
    bool any = false;
    auto fail = [&](const std::string& message) {
        if (record.error.empty()) record.error = message;
        state = State::Skip;
    };
    auto keep = [&](char c) {
        if (++held > maxBytes_) {
            fail("longer than " + std::to_string(maxBytes_) + " characters");
            return;
        }
        record.fields.back().push_back(c);
    };
    if (!started_) {
        started_ = true;
        // Spreadsheets often begin a UTF-8 file with a byte order mark; it is no part of a name.
        static constexpr char kMark[] = "\xEF\xBB\xBF";
        std::size_t matched = 0;
        while (matched < 3 && input_.sgetc() == static_cast<unsigned char>(kMark[matched])) {
            input_.sbumpc();
            ++matched;
        }
        if (matched > 0 && matched < 3) {
            any = true;
            state = State::Unquoted;
            record.fields.back().assign(kMark, matched);
            held = matched;
        }
    }
    for (;;) {
        const int c = input_.sbumpc();
        if (c == Traits::eof()) {
            if (!any) return false;
            if (state == State::Quoted) fail("a quoted field is not closed before the end");
            break;
        }
        any = true;
        const char ch = static_cast<char>(c);
        // Outside quotes, LF or CRLF ends the record.
        const bool lineEnd =
            state != State::Quoted &&
            (ch == '\n' || (ch == '\r' && input_.sgetc() == '\n' && input_.sbumpc() == '\n'));
        if (lineEnd) break;
        switch (state) {
            case State::Skip:
                break;
            case State::FieldStart:
            case State::Unquoted:
                if (ch == ',') {
                    record.fields.emplace_back();
                    state = State::FieldStart;
                } else if (ch == '"' && state == State::FieldStart) {
                    state = State::Quoted;
                } else if (ch == '"') {
                    fail("a quote inside a field that does not start with one");
                } else {
                    keep(ch);
                    if (state != State::Skip) state = State::Unquoted;
                }
                break;
            case State::Quoted:
                if (ch != '"') {
                    keep(ch);
                } else if (input_.sgetc() == '"') {
                    input_.sbumpc();
                    keep('"');
                } else {
                    state = State::AfterQuote;
                }
                break;
            case State::AfterQuote:
                if (ch == ',') {
                    record.fields.emplace_back();
                    state = State::FieldStart;
                } else {
                    fail("a closing quote is followed by a comma or the end of the row");
                }
                break;
        }
    }
    if (record.error.empty())
        record.blank =
            record.fields.size() == 1 && record.fields[0].empty() && state == State::FieldStart;
    return true;
}

}  // namespace qv::cli
