#!/usr/bin/env python3
"""Fails when the API reference has a public class without an example or a
public or protected member without a comment.

    check_docs.py XML_DIR

XML_DIR is the XML output Doxygen made beside the HTML reference.
"""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path


def text_of(node):
    return "".join(node.itertext()).strip() if node is not None else ""


def commented(member):
    return text_of(member.find("briefdescription")) or text_of(member.find("detaileddescription"))


def member_faults(compound_name, member):
    faults = []
    name = member.findtext("name")
    if member.get("prot") in ("public", "protected") and not commented(member):
        faults.append(f"{compound_name}::{name} has no comment")
    for value in member.findall("enumvalue"):
        if not commented(value):
            faults.append(f"{compound_name}::{name}::{value.findtext('name')} has no comment")
    return faults


def compound_faults(path):
    root = ET.parse(path).getroot()
    faults = []
    for compound in root.findall("compounddef"):
        kind = compound.get("kind")
        name = compound.findtext("compoundname")
        if kind not in ("class", "struct", "namespace", "file") or compound.get("prot") == "private":
            continue
        if kind == "class" and compound.get("prot") == "public":
            if compound.find("detaileddescription//programlisting") is None:
                faults.append(f"class {name} shows no example")
        for member in compound.iter("memberdef"):
            # A file's members are listed again by their namespace.
            if kind == "file" and member.get("kind") != "define":
                continue
            faults.extend(member_faults(name, member))
    return faults


def main():
    xml_dir = Path(sys.argv[1])
    faults = []
    for path in sorted(xml_dir.glob("*.xml")):
        if path.name != "index.xml":
            faults.extend(compound_faults(path))
    for fault in sorted(set(faults)):
        print(f"docs: {fault}", file=sys.stderr)
    if faults:
        print(f"docs: {len(set(faults))} fault(s)", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
