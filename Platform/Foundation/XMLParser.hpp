#pragma once
#include <map>
#include <optional>
#include <string>

#include "Foundation/Data.hpp"
#include "Foundation/NSError.hpp"

namespace Foundation {

class XMLParser;

inline const char* const XMLParserErrorDomain = "NSXMLParserErrorDomain";

// What an XML parser reports, in document order. Every method has an empty default, so a
// delegate implements only what it needs. The names follow the platform's callbacks:
//   parserDidStartElement  parser(_:didStartElement:namespaceURI:qualifiedName:attributes:)
//   parserFoundCharacters  parser(_:foundCharacters:)
//   parserDidEndElement    parser(_:didEndElement:namespaceURI:qualifiedName:)
//   parseErrorOccurred     parser(_:parseErrorOccurred:)
// Character data may arrive in several pieces for one run of text.
class XMLParserDelegate {
public:
    virtual ~XMLParserDelegate() = default;

    virtual void parserDidStartElement(XMLParser& parser, const std::string& elementName,
                                       const std::optional<std::string>& namespaceURI,
                                       const std::optional<std::string>& qualifiedName,
                                       const std::map<std::string, std::string>& attributes);
    virtual void parserFoundCharacters(XMLParser& parser, const std::string& string);
    virtual void parserDidEndElement(XMLParser& parser, const std::string& elementName,
                                     const std::optional<std::string>& namespaceURI,
                                     const std::optional<std::string>& qualifiedName);
    virtual void parseErrorOccurred(XMLParser& parser, const NSError& error);
};

// A streaming (event) XML parser over a document held in memory.
//
// Without namespace processing (the default) element and attribute names are reported as
// written, prefix included ("sparkle:shortVersionString"), and namespaceURI and qualifiedName
// are absent. With it, elementName is the local name, namespaceURI the namespace's URI and
// qualifiedName the name as written.
//
// A malformed or truncated document stops the parse with an error; every callback delivered
// before the error stands. External entities and DTDs are never loaded.
class XMLParser {
public:
    explicit XMLParser(Data data);
    ~XMLParser();
    XMLParser(const XMLParser&) = delete;
    XMLParser& operator=(const XMLParser&) = delete;

    // Not owned: the delegate must outlive parse(), which is the only time it is called.
    void setDelegate(XMLParserDelegate* delegate) { delegate_ = delegate; }
    XMLParserDelegate* delegate() const { return delegate_; }

    bool shouldProcessNamespaces() const { return processNamespaces_; }
    void setShouldProcessNamespaces(bool on) { processNamespaces_ = on; }

    // Runs to the end of the document, synchronously. True when the whole document was read.
    // A parser parses once; a second call returns the first result without calling anyone.
    // An exception from the delegate stops the parse and leaves parse() unchanged.
    bool parse();

    // Stops a parse in progress from inside a delegate callback; parse() then fails with
    // the delegate-aborted error.
    void abortParsing();

    // The error that stopped the parse, if any.
    const std::optional<NSError>& parserError() const { return error_; }
    // Position of the parse (1-based line, 0-based column), valid during callbacks.
    long lineNumber() const;
    long columnNumber() const;

    struct Impl;

private:
    Data data_;
    XMLParserDelegate* delegate_ = nullptr;
    bool processNamespaces_ = false;
    std::optional<bool> result_;
    std::optional<NSError> error_;
    Impl* impl_ = nullptr;  // lives only during parse()
};

}  // namespace Foundation
