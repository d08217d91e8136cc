#include "tools/manual/Manual.h"

#include <cmark-gfm-core-extensions.h>
#include <cmark-gfm.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace Manual
{

const std::vector<std::string> kPlayerSections = {
    "Play", "Controls", "Your files", "Making and sharing a level", "Credits and licences"};

namespace
{

struct sNodeFree
{
    void operator()(cmark_node* node) const { cmark_node_free(node); }
};
struct sParserFree
{
    void operator()(cmark_parser* parser) const { cmark_parser_free(parser); }
};
using tNode = std::unique_ptr<cmark_node, sNodeFree>;
using tParser = std::unique_ptr<cmark_parser, sParserFree>;

// The plain text of a node and its children.
std::string TextOf(cmark_node* node)
{
    std::string text;
    cmark_iter* iter = cmark_iter_new(node);
    for (cmark_event_type ev; (ev = cmark_iter_next(iter)) != CMARK_EVENT_DONE;)
    {
        cmark_node* n = cmark_iter_get_node(iter);
        if (ev == CMARK_EVENT_ENTER && (cmark_node_get_type(n) == CMARK_NODE_TEXT ||
                                        cmark_node_get_type(n) == CMARK_NODE_CODE))
            text += cmark_node_get_literal(n);
    }
    cmark_iter_free(iter);
    return text;
}

// "Making and sharing a level" -> "making-and-sharing-a-level".
std::string Anchor(const std::string& title)
{
    std::string id;
    for (char c : title)
    {
        if (std::isalnum(static_cast<unsigned char>(c)))
            id += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (!id.empty() && id.back() != '-')
            id += '-';
    }
    while (!id.empty() && id.back() == '-')
        id.pop_back();
    return id;
}

std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text)
        switch (c)
        {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    return out;
}

bool IsRemote(const std::string& url)
{
    return url.find("://") != std::string::npos || url.rfind("mailto:", 0) == 0 ||
           url.rfind('#', 0) == 0;
}

// Links into the source tree mean nothing beside an installed game: such a
// link gives way to its text. Pictures move into images/ beside the page.
void FixLinks(cmark_node* root, sManual& manual)
{
    std::vector<cmark_node*> links;
    cmark_iter* iter = cmark_iter_new(root);
    for (cmark_event_type ev; (ev = cmark_iter_next(iter)) != CMARK_EVENT_DONE;)
    {
        cmark_node* n = cmark_iter_get_node(iter);
        if (ev != CMARK_EVENT_ENTER)
            continue;
        const std::string url = cmark_node_get_url(n) ? cmark_node_get_url(n) : "";
        if (cmark_node_get_type(n) == CMARK_NODE_IMAGE && !IsRemote(url))
        {
            const std::string name = "images/" + url.substr(url.find_last_of('/') + 1);
            if (std::none_of(manual.images.begin(), manual.images.end(),
                             [&](const auto& image) { return image.first == url; }))
                manual.images.emplace_back(url, name);
            cmark_node_set_url(n, name.c_str());
        }
        else if (cmark_node_get_type(n) == CMARK_NODE_LINK && !IsRemote(url))
            links.push_back(n);
    }
    cmark_iter_free(iter);
    for (cmark_node* link : links)
    {
        while (cmark_node* child = cmark_node_first_child(link))
            cmark_node_insert_before(link, child);
        cmark_node_free(link);
    }
}

const char* const kStyle = R"(
body { margin: 0; background: #17213d; color: #1c2333;
       font: 16px/1.5 "DejaVu Sans", "Bitstream Vera Sans", sans-serif; }
header { background: #0e1530; color: #ffd866; padding: 18px 0 14px; text-align: center; }
header h1 { margin: 0; font: bold 44px "DejaVu Serif", serif; letter-spacing: 2px; }
header p { margin: 4px 0 0; color: #e8ecf8; }
nav { background: #25356a; text-align: center; padding: 8px; }
nav a { color: #ffd866; margin: 0 12px; text-decoration: none; font-weight: bold; }
nav a:hover { text-decoration: underline; }
main { max-width: 860px; margin: 24px auto; background: #f4f6fb; padding: 8px 36px 28px;
       border-radius: 12px; box-shadow: 0 4px 24px #0008; }
h2 { color: #25356a; border-bottom: 2px solid #ffc23d; padding-bottom: 4px; margin-top: 36px; }
img { max-width: 100%; border-radius: 6px; box-shadow: 0 2px 10px #0006; margin: 6px 0; }
table { border-collapse: collapse; margin: 12px 0; width: 100%; }
th, td { border: 1px solid #c3cbe0; padding: 5px 10px; text-align: left; vertical-align: top; }
th { background: #25356a; color: #fff; }
tr:nth-child(even) td { background: #e6eaf5; }
code, pre { font-family: "DejaVu Sans Mono", monospace; background: #e1e6f3; border-radius: 4px; }
code { padding: 1px 4px; }
pre { padding: 8px 12px; overflow-x: auto; }
footer { text-align: center; color: #aab4d4; font-size: 13px; padding: 0 0 24px; }
)";

} // namespace

sManual MakeManual(const std::string& markdown, const std::string& version)
{
    cmark_gfm_core_extensions_ensure_registered();
    tParser parser(cmark_parser_new(CMARK_OPT_DEFAULT));
    cmark_syntax_extension* table = cmark_find_syntax_extension("table");
    if (!table)
        throw std::runtime_error("cmark-gfm has no table extension.");
    cmark_parser_attach_syntax_extension(parser.get(), table);
    cmark_parser_feed(parser.get(), markdown.data(), markdown.size());
    tNode doc(cmark_parser_finish(parser.get()));

    // Keep the introduction and the player sections; the title becomes the
    // page's header.
    std::string title = "Zeltra";
    std::vector<std::string> found;
    bool keep = true;
    for (cmark_node* n = cmark_node_first_child(doc.get()); n;)
    {
        cmark_node* next = cmark_node_next(n);
        const bool heading = cmark_node_get_type(n) == CMARK_NODE_HEADING;
        const int level = heading ? cmark_node_get_heading_level(n) : 0;
        if (level == 1)
        {
            title = TextOf(n);
            cmark_node_free(n);
        }
        else
        {
            if (level == 2)
            {
                const std::string text = TextOf(n);
                keep = std::find(kPlayerSections.begin(), kPlayerSections.end(), text) !=
                       kPlayerSections.end();
                if (keep)
                {
                    found.push_back(text);
                    // A heading the navigation bar can jump to.
                    cmark_node* html = cmark_node_new(CMARK_NODE_HTML_BLOCK);
                    const std::string literal =
                        "<h2 id=\"" + Anchor(text) + "\">" + Escape(text) + "</h2>";
                    cmark_node_set_literal(html, literal.c_str());
                    cmark_node_replace(n, html);
                    cmark_node_free(n);
                    n = nullptr;
                }
            }
            if (!keep && n)
                cmark_node_free(n);
        }
        n = next;
    }
    for (const std::string& section : kPlayerSections)
        if (std::find(found.begin(), found.end(), section) == found.end())
            throw std::runtime_error("The README has no section '" + section + "'.");

    sManual manual;
    FixLinks(doc.get(), manual);
    char* body = cmark_render_html(doc.get(), CMARK_OPT_UNSAFE,
                                   cmark_parser_get_syntax_extensions(parser.get()));
    std::string nav;
    for (const std::string& section : kPlayerSections)
        nav += "<a href=\"#" + Anchor(section) + "\">" + Escape(section) + "</a>";
    manual.html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                  "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                  "<title>" +
                  Escape(title) + " - player's manual</title>\n<style>" + kStyle +
                  "</style>\n</head>\n<body>\n<header><h1>" + Escape(title) +
                  "</h1><p>the player's manual</p></header>\n<nav>" + nav + "</nav>\n<main>\n" +
                  body + "</main>\n<footer>" + Escape(title) + " " + Escape(version) +
                  " &middot; Copyright 2026 Quillbee Studios &middot; MIT licence</footer>\n"
                  "</body>\n</html>\n";
    free(body);
    return manual;
}

} // namespace Manual
