#include "symbol_route.h"

#include <string>

#include "headers.h"
#include "json.h"
#include "query.h"

namespace qv::service {
namespace {

// Output depends only on the query and the build, so caches may keep it; a day, not forever,
// as an upgrade may draw the same query differently.
constexpr std::string_view kCacheControl = "public, max-age=86400";
// An SVG opened from the service's origin must not run anything it happens to contain.
constexpr std::string_view kImagePolicy = "default-src 'none'; style-src 'unsafe-inline'; sandbox";

std::string controlNames() {
    std::string names;
    for (const auto& kind : controlKinds()) names += ' ' + std::string(kind.name);
    return names;
}

// Applies one field to the request; the message when it cannot be.
std::optional<std::string> apply(const ControlKind& kind, const QueryField& field,
                                 SymbolRequest& request) {
    if (const HostOptionInfo* option = findHostOption(field.name)) {
        // A flag given without a value ("?strict") is set.
        std::string_view value = field.value;
        if (option->argument.empty() && value.empty()) value = "true";
        return setHostOption(request.options, field.name, value);
    }
    std::string name = field.name;
    if (name == kDataField) {
        name = kind.dataProperty;
    } else if (name == kTypeField) {
        if (kind.typeProperty.empty())
            return std::string(kind.name) + " has no symbology to choose: type does not apply";
        name = kind.typeProperty;
    }
    request.properties.emplace_back(std::move(name), field.value);
    return std::nullopt;
}

}  // namespace

Reply errorReply(int status, std::string_view message, std::string_view extra) {
    Reply reply;
    reply.status = status;
    reply.contentType = "application/json";
    reply.body = "{\"status\":" + std::to_string(status) + ",\"error\":" + jsonString(message) +
                 std::string(extra) + "}\n";
    reply.headers.emplace_back("Cache-Control", "no-store");
    return reply;
}

std::variant<SymbolJob, Reply> prepareSymbol(std::string_view control, std::string_view format,
                                             std::string_view query, std::size_t maxQuery) {
    const ControlKind* kind = findControlKind(control);
    if (!kind)
        return errorReply(404, "unknown control \"" + std::string(control) +
                                   "\"; the controls are:" + controlNames());
    SymbolJob job;
    job.request.control = std::string(kind->name);
    if (format == "png") {
        job.format = ImageFormat::Png;
    } else if (format == "svg") {
        job.format = ImageFormat::Svg;
    } else {
        return errorReply(404, "the image format must be png or svg");
    }
    if (query.size() > maxQuery)
        return errorReply(414, "the query has " + std::to_string(query.size()) +
                                   " bytes; the limit is " + std::to_string(maxQuery));
    auto parsed = parseQuery(query);
    if (auto* error = std::get_if<QueryError>(&parsed)) return errorReply(400, error->message);
    for (const QueryField& field : std::get<std::vector<QueryField>>(parsed)) {
        if (auto message = apply(*kind, field, job.request)) return errorReply(400, *message);
    }
    return job;
}

Reply symbolReply(const SymbolResult& result, ImageFormat format, std::string_view ifNoneMatch) {
    const RenderedImage* image = result.images.empty() ? nullptr : &result.images.front();
    const std::vector<Note> noNotes;
    const std::string notes = notesHeader(image ? image->notes : noNotes);
    switch (result.status) {
        case SymbolStatus::Ok:
            break;
        case SymbolStatus::Usage:
            return errorReply(400, result.message);
        case SymbolStatus::Unavailable:
            return errorReply(500, result.message);
        case SymbolStatus::VerifyFailed: {
            std::string message = "the symbol did not read back";
            for (const auto& v : image ? image->verifications : std::vector<Verification>{})
                if (v.failed()) message = v.message;
            return errorReply(422, message);
        }
        case SymbolStatus::StrictWarnings:
        case SymbolStatus::NotRepresentable: {
            std::string message = result.message;
            std::string list;
            for (const Note& note : image ? image->notes : noNotes) {
                const bool error = note.severity == Note::Severity::Error;
                if (message.empty() && (error || result.status == SymbolStatus::StrictWarnings))
                    message = note.text;
                list += std::string(list.empty() ? "" : ",") +
                        "{\"severity\":" + jsonString(error ? "error" : "warning") +
                        ",\"text\":" + jsonString(note.text) + "}";
            }
            if (message.empty()) message = "the symbol cannot stand for the data";
            Reply reply = errorReply(422, message, ",\"notes\":[" + list + "]");
            if (!notes.empty()) reply.headers.emplace_back("Quorvantix-Notes", notes);
            return reply;
        }
    }
    if (!image) return errorReply(500, "the render made no image");

    Reply reply;
    const std::string tag = entityTag(image->bytes, notes);
    reply.headers.emplace_back("ETag", tag);
    reply.headers.emplace_back("Cache-Control", std::string(kCacheControl));
    if (!notes.empty()) reply.headers.emplace_back("Quorvantix-Notes", notes);
    if (matchesEntityTag(ifNoneMatch, tag)) {
        reply.status = 304;
        return reply;
    }
    reply.headers.emplace_back("Content-Security-Policy", std::string(kImagePolicy));
    reply.contentType = format == ImageFormat::Png ? "image/png" : "image/svg+xml";
    reply.body.assign(image->bytes.begin(), image->bytes.end());
    return reply;
}

}  // namespace qv::service
