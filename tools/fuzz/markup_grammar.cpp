#include "tools/fuzz/markup_grammar.h"

namespace fuzz {

namespace {

const char* const kControls[] = {"VerticalLayout", "HorizontalLayout", "Container", "Control", "Label",
                                 "Button",         "Progress",         "Text",      "verticallayout",
                                 "Option",         "CheckBox",         "TabLayout", "AnimationTabLayout",
                                 "TileLayout",     "ChildLayout",      "GroupBox",
                                 "Combo",          "ComboBox",         "Slider",
                                 "RichEdit",       "HotKey",           "DateTime",
                                 "Edit",           "IPAddress",        "IPAddressEx",
                                 "TreeView",       "TreeNode",         "ListEx",
                                 "ListContainerHeaderItem", "ListTextExtElement",
                                 "List",           "ListHeader",       "ListHeaderItem",
                                 "ListLabelElement", "ListTextElement", "ListContainerElement",
                                 "RollText",       "GifAnim",          "FadeButton",       "Ring",
                                 "Menu",           "MenuElement",      "ColorPalette",     "FileIcon",
                                 "ActiveX",        "WebBrowser",       "Flash"};
const char* const kImages[] = {"btn_close.png",  "btn_install.png", "progress_bar.png", "soft_logo.png",
                               "Shadow.png",     "main_titile_icon.png", "missing.png", "msg_fix_tips.xml", ""};
const char* const kSkins[] = {"msg_fix_tips.xml", "msg_xp_tips.xml", "self.xml", "", "missing.xml",
                              "&lt;Window&gt;&lt;Label text=&quot;in&quot;/&gt;&lt;/Window&gt;"};
// File icons: types, paths, and names that are neither.
const char* const kIconFiles[] = {".txt", "txt", ".", "", "C:\\no\\such.exe", "C:\\windows", "\\\\?\\C:", "*.*", ".\xC3\xA9x"};
// Hosted controls: class names well formed and not, and what the hosts take. The fuzzer's
// program allows no class, so none of them is ever created.
const char* const kClassNames[] = {"{8856F961-340A-11D0-A96B-00C04FD705A2}", "8856F961-340A-11D0-A96B-00C04FD705A2",
                                   "{8856F961-340A-11D0-A96B}", "{}", "{zzzzzzzz-zzzz-zzzz-zzzz-zzzzzzzzzzzz}",
                                   "Shell.Explorer.2", "ShockwaveFlash.ShockwaveFlash", "No.Such.Class", "a b", ""};
const char* const kStyleNames[] = {"s0", "s1", "s2", "Label", "Button", "s0 ", "Option"};
const char* const kGroups[] = {"g1", "g2", "", "G1", "g1 "};
// Names that tab layouts and the buttons bound to them share now and then.
const char* const kTabNames[] = {"tabs", "tabs2", "", "Tabs"};
const char* const kBrowserCommands[] = {"back", "forward", "home", "refresh", "stop", "Back", "", "navigate"};
// Rich edits, hot-key and date fields: their attributes, RTF texts (whole, cut short, nested
// deep) and dates (real, impossible, malformed).
const char* const kTextEntryAttrs[] = {"readonly", "wordwrap", "multiline", "rich", "wanttab", "wantreturn",
                                       "maxchar", "hotkey", "hotkeymodifiers", "date", "text"};
const char* const kRtfTexts[] = {"{\\rtf1\\ansi {\\b b}\\par x}", "{\\rtf1 {{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{{x",
                                 "{\\rtf1\\u-1?\\'zz\\bin99999 }", "{\\rtf", "{\\rtf1}}}}"};
const char* const kDates[] = {"2024-02-29", "2023-02-29", "9999-12-31", "1752-01-01", "2024-1-1", "x", "",
                              "2024-01-01T", "-1-1-1"};
// Scrolling: the bar as an element, the default lists containers give their bars, and the
// attributes of bars and of scrolling containers.
const char* const kBarDefaults[] = {"VScrollBar", "HScrollBar", "vscrollbar"};
const char* const kScrollAttrs[] = {
    "vscrollbar", "hscrollbar", "vscrollbarstyle", "hscrollbarstyle", "scrollstepsize", "range", "value",
    "linesize", "pagesize", "hor", "showbutton1", "showbutton2", "button1normalimage", "button2hotimage",
    "thumbnormalimage", "thumbhotimage", "thumbpushedimage", "thumbdisabledimage", "railnormalimage",
    "railpushedcolor", "thumbnormalcolor", "button1pushedcolor", "button2disabledcolor", "width", "height"};
// Rolling text.
const char* const kDirections[] = {"left", "right", "up", "down", "UP", ""};
const char* const kNumbers[] = {"0",     "1",      "-1",          "2",           "10",         "100",
                                "255",   "256",    "32767",       "32768",       "65535",      "65536",
                                "16384", "-32768", "2147483647",  "-2147483648", "4294967295", "99999999999",
                                "",      "x",      "0x10",        " 5",          "1e9",        "-0"};
const char* const kColours[] = {"#FFFF0000", "#00000000", "#80102030", "#FFFFFFFF", "#", "#FFFFFFFFFFFF",
                                "FF00FF00",  "#-1",       "#zz",       "0"};
const char* const kWords[] = {"true", "false", "TRUE", "left", "center", "right", "top", "vcenter", "bottom",
                              "null", "hand", "arrow", "1", ""};
const char* const kTexts[] = {"text",        "&amp;&lt;&gt;&quot;&apos;", "&#x41;",    "&#x;",   "&#xFFFF;",
                              "&#x0;",       "{\\n}{\\n}",                "line<n>two", "&#x",    "&#xD83D;",
                              "微软雅黑",    "&amp;#x41;",                "&unknown;",  "&",      "{\\n}"};

// Markup text of "showhtml" labels, texts and buttons (written for an XML attribute): its tags
// with good and bad arguments, and the forms it must read as text.
const char* const kMarkupPieces[] = {
    "&lt;b&gt;", "&lt;/b&gt;", "&lt;i&gt;", "&lt;/i&gt;", "&lt;u&gt;", "&lt;/u&gt;", "&lt;s&gt;", "&lt;/s&gt;",
    "&lt;c #FF0000&gt;", "&lt;c #80FF00FF&gt;", "&lt;c zz&gt;", "&lt;/c&gt;", "&lt;f 0&gt;", "&lt;f 1&gt;",
    "&lt;f 99999&gt;", "&lt;f -7&gt;", "&lt;f x&gt;", "&lt;/f&gt;", "&lt;a faq&gt;", "&lt;a 'https://example.invalid/a b'&gt;",
    "&lt;a&gt;", "&lt;/a&gt;", "&lt;br&gt;", "&lt;p&gt;", "&lt;img btn_close.png&gt;", "&lt;img missing.png&gt;",
    "&lt;img file='btn_install.png' source='0,0,140,40'&gt;", "&lt;img&gt;", "&lt;/br&gt;", "&lt;x&gt;", "&lt;",
    "&lt;&lt;", "&gt;", "&lt;b", "&lt;/", "&lt;a ", "&amp;", "&amp;&amp;", "&amp;#x2192;", "&amp;#x;", "words ",
    "a link that wraps over the lines ", "\xE5\xBE\xAE ", "&#x9;"};

std::string MarkupText(CRng& rng) {
    std::string t;
    switch (rng.Below(20)) {
        case 0: {  // nested 10,000 deep, closed or left open
            const char* open = rng.Chance(50) ? "&lt;b&gt;" : "&lt;a x&gt;";
            for (int i = 0; i < 10000; ++i) t += open;
            t += "deep";
            if (rng.Chance(50)) {
                const char* close = open[4] == 'b' ? "&lt;/b&gt;" : "&lt;/a&gt;";
                for (int i = 0; i < 10000; ++i) t += close;
            }
            return t;
        }
        case 1:  // huge: 1 MiB of markup now and then
            if (rng.Chance(10)) {
                while (t.size() < (1u << 20)) t += rng.Pick(kMarkupPieces);
                return t;
            }
            break;
        default: break;
    }
    const int n = 1 + static_cast<int>(rng.Below(40));
    for (int i = 0; i < n; ++i) t += rng.Pick(kMarkupPieces);
    return t;
}

const char* const kControlAttrs[] = {
    "pos",        "padding",       "bkcolor",     "bkcolor2",        "bkimage",      "foreimage",   "forecolor",
    "bordercolor", "bordersize",   "borderround", "leftbordersize",  "width",        "height",      "minwidth",
    "minheight",  "maxwidth",      "maxheight",   "name",            "text",         "tooltip",     "visible",
    "enabled",    "float",         "floatalign",  "style",           "innerstyle",   "align",       "valign",
    "font",       "textcolor",     "textpadding", "showhtml",        "wordbreak",    "endellipsis", "autocalcwidth",
    "normalimage", "hotimage",     "pushedimage", "disabledimage",   "stateimage",   "statecount",  "statehor",
    "min",        "max",           "value",       "hor",             "isstretchfore", "childpadding", "inset",
    "gradient",   "colorhsl",      "cursor",      "shortcut",        "userdata",     "mouse",       "keyboard",
    "resourcetext", "borderstyle", "focusbordercolor", "autocalcheight", "noprefix", "sepwidth",   "hotbkcolor",
    "group",      "selected",      "selectedimage", "selectedhotimage", "selectedpushedimage",
    "selecteddisabledimage", "selectedforeimage", "selectedbkcolor", "selectedtextcolor", "selectedfont",
    "selectedid", "dropboxsize", "dropbox", "itemheight", "itemfont", "itemalign", "itemtextpadding",
    "itemtextcolor", "itembkcolor", "itemimage", "itemhottextcolor", "itemhotbkcolor", "itemhotimage",
    "itemselectedtextcolor", "itemselectedbkcolor", "itemselectedimage", "itemdisabledtextcolor", "itemlinecolor",
    "focusedimage", "arrowimage", "arrowhotimage", "arrowpushedimage", "arrowdisabledimage", "arrowwidth", "step",
    "thumbsize", "thumbimage", "thumbpushedimage", "bindtabindex", "bindtablayoutname", "animationdirection", "itemsize", "columns", "xmlfile",
    "bindbrowsername", "bindbrowsercommand",
    "readonly", "password", "passwordchar", "digitsonly", "maxchar", "placeholder", "placeholdercolor",
    "nativebkcolor", "multiselect", "header", "itembkimage", "itemaltbkcolor", "itemdisabledbkcolor",
    "indent", "checkboxes", "expanded", "checkbox", "expandedimage", "collapsedimage",
    "checkedimage", "uncheckedimage", "mixedimage",
    "itemdisabledimage", "texts", "sepimage", "resizable",
    "trigger", "shortcuttext", "checked", "separator", "icon", "separatorheight", "iconwidth", "showdelay",
    "shadow", "checkimage", "shortcuttextcolor", "separatorcolor", "color", "barwidth", "file",
    "direction", "speed", "autoplay", "autosize", "fadeduration", "ringcolor", "thickness",
    "rowcount", "rowformat", "clsid", "progid", "delaycreate", "homepage", "movie", "transparent",
    "drag", "drop", "dropbkcolor", "dropbordercolor", "itemdrag", "insertmarkcolor"};
const char* const kWindowAttrs[] = {
    "size",       "sizebox",        "caption",      "roundcorner",  "mininfo",      "maxinfo",   "showdirty",
    "opacity",    "alpha",          "layeredopacity", "layered",    "bktrans",      "layeredimage", "noactivate",
    "disabledfontcolor", "defaultfontcolor", "shadowsize", "shadowsharpness", "shadowdarkness", "shadowposition",
    "shadowcolor", "shadowcorner",  "shadowimage",  "showshadow",   "gdiplustext",  "textrenderinghint",
    "tooltiphovertime"};

std::string Number(CRng& rng) { return rng.Pick(kNumbers); }

std::string Numbers(CRng& rng, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        if (i > 0) out += rng.Chance(95) ? "," : rng.Chance(50) ? " " : "";
        out += rng.Chance(60) ? std::to_string(static_cast<int>(rng.Below(400)) - 20) : Number(rng);
    }
    return out;
}

// An attribute value for `name`, written for a double-quoted attribute.
std::string ValueFor(CRng& rng, const std::string& name);

std::string ListEntry(CRng& rng) {
    const std::string name = rng.Chance(15) ? rng.Pick(kScrollAttrs) : rng.Pick(kControlAttrs);
    std::string value = ValueFor(rng, name);
    // Inside a list the quotes are written as entities.
    std::string escaped;
    for (char c : value) escaped += c == '"' ? std::string("&quot;") : std::string(1, c);
    return name + "=&quot;" + escaped + "&quot;";
}

std::string AttributeList(CRng& rng) {
    std::string out;
    const int n = static_cast<int>(rng.Below(5));
    for (int i = 0; i < n; ++i) out += (i > 0 ? (rng.Chance(90) ? " " : ",") : "") + ListEntry(rng);
    if (rng.Chance(15)) out = rng.Pick(kStyleNames);
    return out;
}

std::string ValueFor(CRng& rng, const std::string& name) {
    if (rng.Chance(5)) return Number(rng);
    if (name.find("image") != std::string::npos) return GenerateImageDescription(rng);
    if (name.find("color") != std::string::npos || name == "gradient") return rng.Pick(kColours);
    if (name == "pos" || name == "padding" || name == "textpadding" || name == "inset" || name == "sizebox" ||
        name == "caption" || name == "shadowcorner" || name == "bordersize") {
        return Numbers(rng, 4);
    }
    if (name == "size" || name == "borderround" || name == "roundcorner" || name == "mininfo" ||
        name == "maxinfo" || name == "shadowposition") {
        return Numbers(rng, 2);
    }
    if (name == "float") return rng.Chance(50) ? rng.Pick(kWords) : "0.5,0.5,1.0,1.0";
    if (name == "style") return rng.Pick(kStyleNames);
    if (name == "group") return rng.Pick(kGroups);
    if (name == "bindtablayoutname" || (name == "name" && rng.Chance(20))) return rng.Pick(kTabNames);
    if (name == "xmlfile") return rng.Pick(kSkins);
    if (name == "bindbrowsername") return rng.Chance(50) ? "web" : rng.Pick(kTabNames);
    if (name == "bindbrowsercommand") return rng.Chance(70) ? rng.Pick(kBrowserCommands) : rng.Pick(kWords);
    // Menus open only when their trigger is clicked, which a fuzz input never is: no modal loop runs.
    if (name == "trigger") return rng.Chance(50) ? "b" : rng.Pick(kTabNames);
    if (name == "file") return rng.Pick(kIconFiles);
    if (name == "clsid" || name == "progid") return rng.Pick(kClassNames);
    if (name == "homepage" || name == "movie") return rng.Chance(50) ? "about:blank" : rng.Pick(kTexts);
    if (name == "maxchar") return Number(rng);
    if (name == "placeholder" || name == "passwordchar") return rng.Pick(kTexts);
    if (name == "date") return rng.Pick(kDates);
    if (name == "text" && rng.Chance(10)) return rng.Pick(kRtfTexts);
    if (name == "itemsize") return Numbers(rng, 2);
    if (name == "rowformat") return rng.Chance(50) ? "Row {n}|{i}|{x}|" : "{n|{i}}{n}||\\|{";
    if (name == "direction") return rng.Chance(60) ? std::string(rng.Pick(kDirections)) : rng.Pick(kWords);
    if (name == "animationdirection") return rng.Chance(50) ? "vertical" : rng.Pick(kWords);
    if (name == "innerstyle" || name == "vscrollbarstyle" || name == "hscrollbarstyle") return AttributeList(rng);
    if (name == "text" || name == "tooltip" || name == "userdata" || name == "name") {
        std::string t;
        const int n = 1 + static_cast<int>(rng.Below(4));
        for (int i = 0; i < n; ++i) t += rng.Pick(kTexts);
        if (rng.Chance(2)) t.append(2000 + rng.Below(30000), 'W');
        return t;
    }
    if (rng.Chance(50)) return rng.Pick(kWords);
    return Number(rng);
}

void Attributes(CRng& rng, std::string& out, const char* const* names, std::size_t count, int max) {
    const int n = static_cast<int>(rng.Below(static_cast<std::size_t>(max) + 1));
    for (int i = 0; i < n; ++i) {
        const std::string name = names[rng.Below(count)];
        out += " " + name + "=\"" + ValueFor(rng, name) + "\"";
    }
}

void Resources(CRng& rng, std::string& out) {
    const int n = static_cast<int>(rng.Below(6));
    for (int i = 0; i < n; ++i) {
        switch (rng.Below(5)) {
            case 0:
                out += std::string("<Image name=\"") + rng.Pick(kImages) + "\"" +
                       (rng.Chance(30) ? " mask=\"" + std::string(rng.Pick(kColours)) + "\"" : "") +
                       (rng.Chance(20) ? " restype=\"PNG\"" : "") + (rng.Chance(20) ? " shared=\"true\"" : "") + "/>";
                break;
            case 1:
                out += "<Font id=\"" + Number(rng) + "\" name=\"" + (rng.Chance(50) ? "Arial" : "微软雅黑") +
                       "\" size=\"" + Number(rng) + "\"" + (rng.Chance(30) ? " bold=\"true\"" : "") +
                       (rng.Chance(20) ? " default=\"true\"" : "") + (rng.Chance(10) ? " shared=\"true\"" : "") +
                       "/>";
                break;
            case 2:
            case 3:
                out += std::string(rng.Chance(50) ? "<Style" : "<Default") + " name=\"" +
                       (rng.Chance(20) ? rng.Pick(kBarDefaults) : rng.Pick(kStyleNames)) +
                       "\" value=\"" + AttributeList(rng) + "\"" + (rng.Chance(10) ? " shared=\"true\"" : "") +
                       "/>";
                break;
            default:
                out += std::string("<Import fontfile=\"") + rng.Pick(kImages) + "\"/>";
                break;
        }
    }
}

// Wine's rich-edit layout wraps one long paragraph in quadratic time (24,000 characters take
// seconds at 200 pixels; the system's own is fast): a rich edit gets runs of the length a
// skin's paragraph has, so that an input counts as a hang only for the framework's faults.
void CutLongRuns(std::string& attrs) {
    const std::size_t kMostRun = 1500;
    std::string cut;
    std::size_t run = 0;
    for (char c : attrs) {
        run = c == 'W' ? run + 1 : 0;
        if (run <= kMostRun) cut += c;
    }
    attrs.swap(cut);
}

void Children(CRng& rng, std::string& out, int depth, int& budget) {
    const int n = static_cast<int>(rng.Below(depth < 3 ? 5 : 3));
    for (int i = 0; i < n && budget > 0; ++i, --budget) {
        if (rng.Chance(8)) {
            out += std::string("<Include source=\"") + rng.Pick(kSkins) + "\"" +
                   (rng.Chance(50) ? " count=\"" + Number(rng) + "\"" : "") + "/>";
            continue;
        }
        const std::string name = rng.Chance(5) ? std::string("ScrollBar") : rng.Pick(kControls);
        std::string attrs;
        Attributes(rng, attrs, kControlAttrs, sizeof(kControlAttrs) / sizeof(kControlAttrs[0]), 6);
        if (rng.Chance(25)) Attributes(rng, attrs, kScrollAttrs, sizeof(kScrollAttrs) / sizeof(kScrollAttrs[0]), 3);
        if (rng.Chance(20)) {
            Attributes(rng, attrs, kTextEntryAttrs, sizeof(kTextEntryAttrs) / sizeof(kTextEntryAttrs[0]), 3);
        }
        if (name == "RichEdit") CutLongRuns(attrs);
        if ((name == "Label" || name == "Text" || name == "Button") && rng.Chance(20)) {
            attrs += std::string(" showhtml=\"true\"") + (rng.Chance(30) ? " wordbreak=\"true\"" : "") +
                     (rng.Chance(20) ? " endellipsis=\"true\"" : "") + " text=\"" + MarkupText(rng) + "\"";
        }
        out += "<" + name + attrs;
        if (depth < 12 && rng.Chance(depth < 4 ? 45 : 20)) {
            out += ">";
            if (rng.Chance(10)) out += rng.Pick(kTexts);
            Children(rng, out, depth + 1, budget);
            out += "</" + name + ">";
        } else {
            out += "/>";
        }
    }
}

}  // namespace

std::string GenerateImageDescription(CRng& rng) {
    if (rng.Chance(20)) return rng.Pick(kImages);
    static const char* const kKeys[] = {"dest", "source", "corner", "mask", "fade", "hole", "xtiled",
                                        "ytiled", "hsl", "restype", "size", "align", "padding", "res"};
    std::string out = std::string("file='") + rng.Pick(kImages) + "'";
    const int n = static_cast<int>(rng.Below(6));
    for (int i = 0; i < n; ++i) {
        const std::string key = rng.Pick(kKeys);
        std::string value;
        if (key == "dest" || key == "source" || key == "corner" || key == "padding") {
            value = Numbers(rng, 4);
        } else if (key == "size") {
            value = Numbers(rng, 2);
        } else if (key == "mask") {
            value = rng.Pick(kColours);
        } else if (key == "res") {
            value = rng.Pick(kImages);
        } else {
            value = rng.Chance(50) ? rng.Pick(kWords) : Number(rng);
        }
        out += " " + key + (rng.Chance(97) ? "='" : "=") + value + (rng.Chance(97) ? "'" : "");
    }
    return out;
}

std::string GenerateSkin(CRng& rng) {
    std::string out;
    if (rng.Chance(30)) out += "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
    out += rng.Chance(95) ? "<Window" : "<Control";
    Attributes(rng, out, kWindowAttrs, sizeof(kWindowAttrs) / sizeof(kWindowAttrs[0]), 5);
    out += ">";
    Resources(rng, out);
    int budget = 60;
    Children(rng, out, 0, budget);
    if (rng.Chance(3)) {
        // Deep nesting.
        const int depth = 50 + static_cast<int>(rng.Below(400));
        for (int i = 0; i < depth; ++i) out += "<VerticalLayout>";
        for (int i = 0; i < depth; ++i) out += "</VerticalLayout>";
    }
    out += "</Window>";
    return out;
}

}  // namespace fuzz
