#include "Foundation/XMLParser.hpp"

#include <algorithm>
#include <climits>
#include <exception>

#include <expat.h>

namespace Foundation {

void XMLParserDelegate::parserDidStartElement(XMLParser&, const std::string&, const std::optional<std::string>&,
                                              const std::optional<std::string>&,
                                              const std::map<std::string, std::string>&) {}
void XMLParserDelegate::parserFoundCharacters(XMLParser&, const std::string&) {}
void XMLParserDelegate::parserDidEndElement(XMLParser&, const std::string&, const std::optional<std::string>&,
                                            const std::optional<std::string>&) {}
void XMLParserDelegate::parseErrorOccurred(XMLParser&, const NSError&) {}

namespace {

// Separates URI, local name and prefix in the names expat reports in namespace mode; a
// character that cannot occur in a well-formed document.
constexpr char namespaceSeparator = '\x01';

// The platform's parser error codes for the failures expat tells apart.
enum ParserErrorCode : long {
    internalError = 1,
    outOfMemory = 2,
    emptyDocument = 4,
    prematureDocumentEnd = 5,
    invalidCharacter = 9,
    undeclaredEntity = 26,
    tagNameMismatch = 76,
    delegateAborted = 512,
};

long codeFor(XML_Error error, bool documentIsBlank) {
    switch (error) {
    case XML_ERROR_NO_MEMORY: return outOfMemory;
    case XML_ERROR_NO_ELEMENTS: return documentIsBlank ? emptyDocument : prematureDocumentEnd;
    case XML_ERROR_UNCLOSED_TOKEN:
    case XML_ERROR_PARTIAL_CHAR:
    case XML_ERROR_UNCLOSED_CDATA_SECTION: return prematureDocumentEnd;
    case XML_ERROR_INVALID_TOKEN: return invalidCharacter;
    case XML_ERROR_UNDEFINED_ENTITY: return undeclaredEntity;
    case XML_ERROR_TAG_MISMATCH: return tagNameMismatch;
    case XML_ERROR_ABORTED: return delegateAborted;
    default: return internalError;
    }
}

struct Name {
    std::string element;
    std::optional<std::string> namespaceURI;
    std::optional<std::string> qualified;
};

// "uri\1local\1prefix", "uri\1local" or "local" (no namespace).
Name splitName(const char* raw, bool namespaces) {
    if (!namespaces) return {raw, std::nullopt, std::nullopt};
    const std::string whole(raw);
    const auto first = whole.find(namespaceSeparator);
    if (first == std::string::npos) return {whole, std::nullopt, whole};
    const auto second = whole.find(namespaceSeparator, first + 1);
    Name name;
    name.namespaceURI = whole.substr(0, first);
    name.element = whole.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    name.qualified = second == std::string::npos ? name.element : whole.substr(second + 1) + ":" + name.element;
    return name;
}

}  // namespace

struct XMLParser::Impl {
    XMLParser& owner;
    XML_Parser expat;
    bool aborted = false;
    std::exception_ptr thrown;  // from a delegate; must not unwind through expat's C frames

    // Runs a delegate callback; an exception stops the parse and is rethrown by parse().
    template <class F>
    void deliver(F&& callback) {
        try {
            callback();
        } catch (...) {
            thrown = std::current_exception();
            aborted = true;
            XML_StopParser(expat, XML_FALSE);
        }
    }

    static Impl& from(void* userData) { return *static_cast<Impl*>(userData); }

    static void start(void* userData, const XML_Char* rawName, const XML_Char** rawAttributes) {
        Impl& self = from(userData);
        if (self.aborted) return;  // expat may still report the rest of the current token
        const bool ns = self.owner.processNamespaces_;
        const Name name = splitName(rawName, ns);
        std::map<std::string, std::string> attributes;
        for (const XML_Char** a = rawAttributes; a && a[0]; a += 2) {
            const Name attribute = splitName(a[0], ns);
            attributes[attribute.qualified.value_or(attribute.element)] = a[1];
        }
        if (auto* d = self.owner.delegate_)
            self.deliver([&] { d->parserDidStartElement(self.owner, name.element, name.namespaceURI, name.qualified, attributes); });
    }

    static void end(void* userData, const XML_Char* rawName) {
        Impl& self = from(userData);
        if (self.aborted) return;
        const Name name = splitName(rawName, self.owner.processNamespaces_);
        if (auto* d = self.owner.delegate_)
            self.deliver([&] { d->parserDidEndElement(self.owner, name.element, name.namespaceURI, name.qualified); });
    }

    static void characters(void* userData, const XML_Char* text, int length) {
        Impl& self = from(userData);
        if (self.aborted) return;
        if (auto* d = self.owner.delegate_)
            self.deliver([&] { d->parserFoundCharacters(self.owner, std::string(text, static_cast<std::size_t>(length))); });
    }
};

XMLParser::XMLParser(Data data) : data_(std::move(data)) {}
XMLParser::~XMLParser() = default;

bool XMLParser::parse() {
    if (result_) return *result_;
    XML_Parser expat = processNamespaces_ ? XML_ParserCreateNS(nullptr, namespaceSeparator) : XML_ParserCreate(nullptr);
    if (!expat) {
        error_ = NSError(XMLParserErrorDomain, outOfMemory, "The XML parser could not be created.");
        if (delegate_) delegate_->parseErrorOccurred(*this, *error_);
        result_ = false;
        return false;
    }
    if (processNamespaces_) XML_SetReturnNSTriplet(expat, 1);
    Impl impl{*this, expat, false, nullptr};
    impl_ = &impl;
    XML_SetUserData(expat, &impl);
    XML_SetElementHandler(expat, &Impl::start, &Impl::end);
    XML_SetCharacterDataHandler(expat, &Impl::characters);

    // Fed in pieces that fit expat's int lengths; the last piece is final.
    constexpr std::size_t piece = std::size_t(1) << 30;
    bool ok = true;
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(piece, data_.size() - offset);
        const bool final = offset + length == data_.size();
        const char* bytes = reinterpret_cast<const char*>(data_.data()) + offset;
        if (XML_Parse(expat, bytes, static_cast<int>(length), final) != XML_STATUS_OK) ok = false;
        offset += length;
    } while (ok && offset < data_.size());

    if (impl.thrown) {
        impl_ = nullptr;
        XML_ParserFree(expat);
        result_ = false;
        std::rethrow_exception(impl.thrown);
    }
    if (!ok) {
        const XML_Error code = impl.aborted ? XML_ERROR_ABORTED : XML_GetErrorCode(expat);
        const bool blank = std::all_of(data_.begin(), data_.end(), [](std::uint8_t b) {
            return b == ' ' || b == '\t' || b == '\n' || b == '\r';
        });
        const std::string description = impl.aborted ? std::string("The parse was aborted by its delegate.")
            : std::string(XML_ErrorString(code)) + " at line " + std::to_string(XML_GetCurrentLineNumber(expat)) +
                ", column " + std::to_string(XML_GetCurrentColumnNumber(expat));
        error_ = NSError(XMLParserErrorDomain, codeFor(code, blank), description);
        if (delegate_) delegate_->parseErrorOccurred(*this, *error_);
    }
    impl_ = nullptr;
    XML_ParserFree(expat);
    result_ = ok;
    return ok;
}

void XMLParser::abortParsing() {
    if (!impl_ || impl_->aborted) return;
    impl_->aborted = true;
    XML_StopParser(impl_->expat, XML_FALSE);
}

long XMLParser::lineNumber() const { return impl_ ? static_cast<long>(XML_GetCurrentLineNumber(impl_->expat)) : 0; }
long XMLParser::columnNumber() const { return impl_ ? static_cast<long>(XML_GetCurrentColumnNumber(impl_->expat)) : 0; }

}  // namespace Foundation
