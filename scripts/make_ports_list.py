#!/usr/bin/env python3
# Writes data/netportlist/ports.lst from the IANA service registry as Debian ships it (the services file of
# libwireshark-data): one line per port and protocol, "port protocol name description", TCP and UDP only.
#
# Run: python3 scripts/make_ports_list.py            (downloads the package with apt-get into a temporary folder)
#      python3 scripts/make_ports_list.py SERVICES   (reads a services file given)
import pathlib
import re
import subprocess
import sys
import tempfile

OUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "netportlist" / "ports.lst"
HEADER = """# Known TCP and UDP ports: port, protocol, service name and description.
# From the IANA service name and port number registry, as Debian's libwireshark-data ships it.
# Regenerate with scripts/make_ports_list.py.
"""


def services_text():
    if len(sys.argv) > 1:
        return pathlib.Path(sys.argv[1]).read_text(encoding="utf-8", errors="replace")
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["apt-get", "download", "libwireshark-data"], cwd=folder, check=True)
        package = next(pathlib.Path(folder).glob("libwireshark-data_*.deb"))
        subprocess.run(["dpkg-deb", "-x", str(package), folder + "/x"], check=True)
        return (pathlib.Path(folder) / "x/usr/share/wireshark/services").read_text(encoding="utf-8", errors="replace")


def entries(text):
    for line in text.splitlines():
        entry, _, description = line.partition("#")
        fields = entry.split()
        if len(fields) < 2 or "/" not in fields[1]:
            continue
        port, *protocols = fields[1].split("/")
        if not port.isdigit():
            continue
        # The program's files are in the system code page: plain ASCII is safe in every one.
        description = description.strip().encode("ascii", "replace").decode("ascii")
        # The list shows 63 characters of a description: one long word is worth shortening.
        description = re.sub(r"\bSpecif\w*ion\b", "Spec.", description)
        for protocol in ("tcp", "udp"):
            if protocol in protocols:
                yield int(port), protocol, fields[0], description


def main():
    lines = [f"{port}\t{protocol}\t{name}\t{description}".rstrip() for port, protocol, name, description in
             sorted(entries(services_text()), key=lambda e: (e[0], e[1]))]
    OUT.write_text(HEADER + "\n".join(lines) + "\n", encoding="ascii", newline="\r\n")
    print(f"{OUT}: {len(lines)} entries")


if __name__ == "__main__":
    main()
