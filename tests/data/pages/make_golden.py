#!/usr/bin/env python3
"""Writes the expected pages for each catalogue in catalogues.json, line by line from the page
layout, independently of the C++ writers. Run once; review the output by eye before committing."""
import json
import os

HERE = os.path.dirname(os.path.abspath(__file__))
RULE = "<hr><!" + "-" * 51 + ">"


def head(heading):
    return [
        "<HTML>",
        "<HEAD>",
        "   <TITLE>Project List</TITLE>",
        "</HEAD>",
        "<BODY bgcolor=#D0DBE9>",
        " ",
        "<Center>",
        "<Table border=2>",
        "   <TR>",
        "      <TD colspan=3 align=center>",
        "         <b><font size=+2>" + heading + "</font>",
        "      </TD>",
        "   </TR>",
        "   <TR>",
        "      <TD width=100 align=center>",
        '         <a href="./projects_index.htm">Index</a>',
        "      </TD>",
        "      <TD width=100 align=center>",
        '         <a href="./projects_short.htm">Short</a>',
        "      </TD>",
        "      <TD width=100 align=center>",
        '         <a href="./projects_long.htm">Long</a>',
        "      </TD>",
        "   </TR>",
        "</Table>",
        "</Center>",
        " ",
        RULE,
        "&nbsp<br>",
        " ",
    ]


FOOT = [" ", "</BODY>", "</HTML>"]
URL_ESCAPES = {"%": "%25", "#": "%23", "?": "%3F", '"': "%22", "&": "%26"}


def picture(name, k):
    """A picture's relative URL: the name with the five characters that would change what a
    browser asks for escaped, everything else as in the page text."""
    return "./Thumbs/" + "".join(URL_ESCAPES.get(c, c) for c in name) + "_p" + str(k) + ".gif"


def index_page(projects):
    lines = head("Index") + ["<Center>", "<TABLE BORDER=0>"]
    for i, p in enumerate(projects):
        lines += [
            "      <TD Width= 190 align=center>",
            '         <img SRC="' + picture(p["Name"], 1) + '"><br>',
            "         <b>" + p["Name"] + "</b><br>",
            "         <br>",
            "      </TD>",
        ]
        if (i + 1) % 4 == 0:
            lines += ["   </TR>", "   <TR>"]
    return lines + ["</TABLE>", "</Center>", "&nbsp<br>", " "] + FOOT


def short_page(projects):
    lines = head("Short Descriptions")
    for p in projects:
        lines += [
            "<TABLE BORDER=0>",
            "   <TR>",
            "      <TD Width= 200 align=center>",
            '         <img SRC="' + picture(p["Name"], 1) + '">',
            "      </TD>",
            "      <TD>",
            "         <b>" + p["Name"] + "</b><br>",
            "         " + p["Location"] + "<br>",
            "         &nbsp<br>",
            " ",
            "         " + p["ShortDesc"] + "<br>",
            "      </TD>",
            "   </TR>",
            "</TABLE>",
            "&nbsp<br>",
            " ",
        ]
    return lines + FOOT


def long_page(projects):
    lines = head("Short Descriptions")
    for p in projects:
        lines += [
            "<b>" + p["Name"] + "</b><br>",
            p["Location"] + "<br>",
            "&nbsp<br>",
            " ",
            p["ShortDesc"] + "<br>",
            "&nbsp<br>",
            " ",
            p["LongDesc"] + "<br>",
            "&nbsp<br>",
            " ",
            "<CENTER>",
            "<TABLE BORDER=0>",
        ]
        for k in range(1, p["Pics"] + 1):
            lines += [
                "      <TD Width= 200 align=center>",
                '         <img SRC="' + picture(p["Name"], k) + '">',
                "      </TD>",
            ]
            if k % 3 == 0:
                lines += ["   </TR>", "   <TR>"]
        lines += ["</TABLE>", "</CENTER>", "&nbsp<br>", " ", RULE, "&nbsp<br>", " "]
    return lines + FOOT


def encode(lines):
    text = "".join(line + "\r\n" for line in lines)
    return text.encode("ascii", errors="xmlcharrefreplace")


def main():
    with open(os.path.join(HERE, "catalogues.json"), encoding="utf-8") as f:
        catalogues = json.load(f)
    for name, projects in catalogues.items():
        folder = os.path.join(HERE, name)
        os.makedirs(folder, exist_ok=True)
        for file_name, build in (("projects_index.htm", index_page),
                                 ("projects_short.htm", short_page),
                                 ("projects_long.htm", long_page)):
            with open(os.path.join(folder, file_name), "wb") as f:
                f.write(encode(build(projects)))


if __name__ == "__main__":
    main()
