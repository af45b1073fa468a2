#include "kit/Results.h"

#include <algorithm>
#include <cstdlib>

#include "tests/SkipReasons.h"

namespace {

// The value of attribute name in the element that starts at element.
std::string Attribute(const std::string& xml, std::size_t element, const std::string& name)
{
    const std::size_t end = xml.find('>', element);
    const std::size_t at = xml.find(" " + name + "=\"", element);
    if (at == std::string::npos || at > end)
        return std::string();
    const std::size_t start = at + name.size() + 3;
    return xml.substr(start, xml.find('"', start) - start);
}

// An attribute's text with its escapes undone, as GoogleTest writes them.
std::string Unescape(const std::string& text)
{
    std::string plain;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '&') {
            plain += text[at];
            continue;
        }
        const std::size_t end = text.find(';', at);
        if (end == std::string::npos) {
            plain += text.substr(at);
            break;
        }
        const std::string entity = text.substr(at + 1, end - at - 1);
        if (entity == "quot")
            plain += '"';
        else if (entity == "amp")
            plain += '&';
        else if (entity == "lt")
            plain += '<';
        else if (entity == "gt")
            plain += '>';
        else if (entity == "apos")
            plain += '\'';
        else if (entity.size() > 2 && entity[0] == '#' && entity[1] == 'x')
            plain += static_cast<char>(std::strtoul(entity.c_str() + 2, nullptr, 16));
        else if (entity.size() > 1 && entity[0] == '#')
            plain += static_cast<char>(std::strtoul(entity.c_str() + 1, nullptr, 10));
        at = end;
    }
    return plain;
}

// A message after the "file:line" line that GoogleTest puts first, on one line.
std::string MessageOf(const std::string& attribute)
{
    std::string text = Unescape(attribute);
    const std::size_t firstLine = text.find('\n');
    text = firstLine == std::string::npos ? std::string() : text.substr(firstLine + 1);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    for (char& c : text)
        if (c == '\n')
            c = ' ';
    return text;
}

std::string Escape(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '"')
            escaped += "&quot;";
        else if (c == '&')
            escaped += "&amp;";
        else if (c == '<')
            escaped += "&lt;";
        else if (c == '>')
            escaped += "&gt;";
        else if (c == '\n')
            escaped += "&#x0A;";
        else
            escaped += c;
    }
    return escaped;
}

}  // namespace

bool ReadReport(const std::string& xml, std::vector<CaseResult>& cases)
{
    if (xml.find("</testsuites>") == std::string::npos)
        return false;
    for (std::size_t at = xml.find("<testcase "); at != std::string::npos; at = xml.find("<testcase ", at + 1)) {
        if (Attribute(xml, at, "status") != "run")
            continue;
        CaseResult result;
        result.name = Attribute(xml, at, "classname") + "." + Attribute(xml, at, "name");
        // What belongs to this case: up to the next case or the end of its suite.
        const std::size_t next = std::min(xml.find("<testcase ", at + 1), xml.find("</testsuite>", at));
        const std::size_t failure = xml.find("<failure ", at);
        const std::size_t skip = xml.find("<skipped ", at);
        if (failure < next) {
            result.outcome = Outcome::Failed;
            result.reason = MessageOf(Attribute(xml, failure, "message"));
        } else if (Attribute(xml, at, "result") == "skipped") {
            result.outcome = Outcome::Skipped;
            if (skip < next)
                result.reason = MessageOf(Attribute(xml, skip, "message"));
        }
        cases.push_back(result);
    }
    return true;
}

std::string FailureReport(const std::string& program, const std::string& name, const std::string& reason)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<testsuites tests=\"1\" failures=\"1\" disabled=\"0\" errors=\"0\" name=\"AllTests\">\n";
    xml += "  <testsuite name=\"" + Escape(program) + "\" tests=\"1\" failures=\"1\" disabled=\"0\" skipped=\"0\">\n";
    xml += "    <testcase name=\"" + Escape(name) + "\" status=\"run\" result=\"completed\" classname=\"" +
           Escape(program) + "\">\n";
    xml += "      <failure message=\"" + Escape(program + "\n" + reason) + "\" type=\"\"></failure>\n";
    xml += "    </testcase>\n  </testsuite>\n</testsuites>\n";
    return xml;
}

void Tally::Add(const CaseResult& result)
{
    switch (result.outcome) {
    case Outcome::Passed:
        ++passed;
        break;
    case Outcome::Failed:
        ++failed;
        break;
    case Outcome::Skipped:
        ++skipped;
        if (result.reason == kNeedsAdministrator)
            ++needAdministrator;
        break;
    }
}

std::string SummaryLine(const Tally& tally)
{
    std::string line = std::to_string(tally.passed) + " passed, " + std::to_string(tally.failed) + " failed, " +
                       std::to_string(tally.skipped) + " skipped";
    if (tally.needAdministrator > 0)
        line += " (" + std::to_string(tally.needAdministrator) + " of them " +
                (tally.needAdministrator == 1 ? "needs" : "need") +
                " administrator rights: start the command prompt as administrator)";
    return line;
}
