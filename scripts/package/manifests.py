#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Checks the winget and Scoop manifests that scripts/package/manifests.sh
writes: the fields each format requires, that the winget files agree, the
hashes against SHA256SUMS, each program's path in its zip, and the download
address.

    manifests.py DIR SHA256SUMS VERSION URL

DIR holds the manifests and the zips; URL is the download folder, or the
placeholder @KORVANEX_DOWNLOAD_URL@.  Exit status 0: ready to publish; 1: a
fault (each one printed); 3: sound, but the address is the placeholder.
"""
import json
import re
import sys
import zipfile

import yaml

PLACEHOLDER = "@KORVANEX_DOWNLOAD_URL@"
WINGET_ID = "Korvanex.Korvanex"
MANIFEST_VERSION = "1.6.0"
# winget's architectures and Scoop's, for each zip.
ZIPS = {"win32": ("x86", "32bit"), "win64": ("x64", "64bit")}
# What winget 1.6.0 requires of each file, by its ManifestType.
WINGET_REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType",
                "ManifestVersion"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher",
                      "PackageName", "License", "ShortDescription", "ManifestType",
                      "ManifestVersion"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType",
                  "ManifestVersion"],
}
# Of each installer; InstallerType and NestedInstallerType may come from
# the file's top level instead.
INSTALLER_REQUIRED = ["Architecture", "InstallerUrl", "InstallerSha256", "NestedInstallerFiles"]

faults = []


def fault(text):
    faults.append(text)


class UniqueKeyLoader(yaml.SafeLoader):
    """A mapping that names a key twice is a fault (PyYAML would keep the
    last silently; winget refuses it)."""

    def construct_mapping(self, node, deep=False):
        keys = [self.construct_object(k, deep=deep) for k, _ in node.value]
        for key in (k for k in keys if keys.count(k) > 1):
            raise yaml.constructor.ConstructorError(
                None, None, "key %s given twice" % key, node.start_mark)
        return super().construct_mapping(node, deep)


def load(path, parse):
    try:
        with open(path, encoding="utf-8") as f:
            data = parse(f)
    except (OSError, ValueError, yaml.YAMLError) as e:
        fault("%s: %s" % (path, str(e).replace("\n", " ")))
        return {}
    if not isinstance(data, dict):
        fault("%s: not a mapping" % path)
        return {}
    return data


def require(where, data, fields):
    for field in fields:
        if data.get(field) in (None, "", []):
            fault("%s lacks %s" % (where, field))


def check_url(where, url, base, zip_name):
    want = "%s/%s" % (base, zip_name)
    if url != want:
        fault("%s is %s, not %s" % (where, url, want))
    elif base != PLACEHOLDER and not re.match(r"https?://[^/]+", url):
        fault("%s is not an http:// or https:// URL: %s" % (where, url))


def check_hash(where, value, sums, zip_name):
    want = sums.get(zip_name)
    if want is None:
        fault("SHA256SUMS has no %s" % zip_name)
    elif not isinstance(value, str) or value.lower() != want:
        fault("%s differs from SHA256SUMS: %s, not %s" % (where, value, want))


def check_member(where, directory, zip_name, member):
    try:
        with zipfile.ZipFile("%s/%s" % (directory, zip_name)) as z:
            names = z.namelist()
    except (OSError, zipfile.BadZipFile) as e:
        fault("%s: %s" % (zip_name, e))
        return
    if member not in names:
        fault("%s %s is not in %s" % (where, member, zip_name))


def check_winget(directory, sums, version, base):
    files = {
        "version": "%s.yaml" % WINGET_ID,
        "defaultLocale": "%s.locale.en-US.yaml" % WINGET_ID,
        "installer": "%s.installer.yaml" % WINGET_ID,
    }
    loaded = {}
    for kind, name in files.items():
        data = load("%s/%s" % (directory, name), lambda f: yaml.load(f, UniqueKeyLoader))
        loaded[kind] = data
        if not data:
            continue
        require(name, data, WINGET_REQUIRED[kind])
        if data.get("ManifestType", kind) != kind:
            fault("%s: ManifestType is %s, not %s" % (name, data["ManifestType"], kind))
        if str(data.get("ManifestVersion", MANIFEST_VERSION)) != MANIFEST_VERSION:
            fault("%s: ManifestVersion is %s, not %s"
                  % (name, data["ManifestVersion"], MANIFEST_VERSION))
        # A version such as 2.10 must stay a string, not the number 2.1.
        if "PackageVersion" in data and data["PackageVersion"] != version:
            fault("%s: PackageVersion is %r, not '%s'" % (name, data["PackageVersion"], version))
        if "PackageIdentifier" in data and data["PackageIdentifier"] != WINGET_ID:
            fault("%s: PackageIdentifier is %s, not %s"
                  % (name, data["PackageIdentifier"], WINGET_ID))
    locale = loaded["defaultLocale"].get("PackageLocale")
    if loaded["version"].get("DefaultLocale") != locale:
        fault("%s: DefaultLocale %s, but %s has PackageLocale %s"
              % (files["version"], loaded["version"].get("DefaultLocale"),
                 files["defaultLocale"], locale))

    top = loaded["installer"]
    installers = top.get("Installers") or []
    if not isinstance(installers, list):
        fault("%s: Installers is not a list" % files["installer"])
        installers = []
    seen = []
    for index, installer in enumerate(installers):
        arch = installer.get("Architecture") if isinstance(installer, dict) else None
        where = "installer %s" % (arch or "#%d" % (index + 1))
        if not isinstance(installer, dict):
            fault("%s is not a mapping" % where)
            continue
        require(where, installer, INSTALLER_REQUIRED)
        for field, want in (("InstallerType", "zip"), ("NestedInstallerType", "portable")):
            got = installer.get(field, top.get(field))
            if got != want:
                fault("%s: %s is %s, not %s" % (where, field, got, want))
        zip_name = next((z for z, (w, _) in ZIPS.items() if w == arch), None)
        if zip_name is None:
            continue
        seen.append(arch)
        zip_file = "korvanex-%s-%s.zip" % (version, zip_name)
        check_url("%s: InstallerUrl" % where, installer.get("InstallerUrl"), base, zip_file)
        check_hash("InstallerSha256 of %s" % arch, installer.get("InstallerSha256"), sums,
                   zip_file)
        nested = installer.get("NestedInstallerFiles")
        if not isinstance(nested, list) or not nested or not isinstance(nested[0], dict):
            nested = [{}]
        exe = "korvanex-%s-%s/korvanex.exe" % (version, zip_name)
        if nested[0].get("RelativeFilePath") != exe:
            fault("%s: RelativeFilePath is %s, not %s"
                  % (where, nested[0].get("RelativeFilePath"), exe))
        check_member("%s: RelativeFilePath" % where, directory, zip_file,
                     nested[0].get("RelativeFilePath"))
        if nested[0].get("PortableCommandAlias") != "korvanex":
            fault("%s: PortableCommandAlias is %s, not korvanex"
                  % (where, nested[0].get("PortableCommandAlias")))
    if sorted(seen) != sorted(w for w, _ in ZIPS.values()):
        fault("%s: installers for %s, not x86 and x64 once each" % (files["installer"], seen))


def check_scoop(directory, sums, version, base):
    name = "korvanex.json"
    data = load("%s/%s" % (directory, name), json.load)
    if not data:
        return
    require(name, data, ["version", "description", "license", "architecture", "bin",
                         "autoupdate"])
    if data.get("version", version) != version:
        fault("%s: version is %s, not %s" % (name, data["version"], version))
    architecture = data.get("architecture") or {}
    auto = (data.get("autoupdate") or {}).get("architecture") or {}
    for zip_name, (_, arch) in sorted(ZIPS.items()):
        entry = architecture.get(arch)
        if not isinstance(entry, dict):
            fault("%s lacks architecture %s" % (name, arch))
            continue
        require("%s: architecture %s" % (name, arch), entry, ["url", "hash", "extract_dir"])
        zip_file = "korvanex-%s-%s.zip" % (version, zip_name)
        check_url("url of %s" % arch, entry.get("url"), base, zip_file)
        check_hash("hash of %s" % arch, entry.get("hash"), sums, zip_file)
        top = "korvanex-%s-%s" % (version, zip_name)
        if entry.get("extract_dir") != top:
            fault("extract_dir of %s is %s, not %s" % (arch, entry.get("extract_dir"), top))
        check_member("extract_dir of %s:" % arch, directory, zip_file,
                     "%s/%s" % (entry.get("extract_dir"), data.get("bin")))
        # Scoop's autoupdate, given this version, must name this release.
        later = auto.get(arch) or {}
        for field in ("url", "extract_dir"):
            value = later.get(field)
            if not isinstance(value, str) or value.replace("$version", version) != entry.get(field):
                fault("autoupdate %s of %s is %s, which does not give %s"
                      % (field, arch, value, entry.get(field)))
    hash_url = ((data.get("autoupdate") or {}).get("hash") or {}).get("url", "")
    if not hash_url.endswith("/SHA256SUMS"):
        fault("autoupdate takes the hash from %s, not SHA256SUMS" % hash_url)


def main():
    if len(sys.argv) != 5:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    directory, sums_path, version, base = sys.argv[1:]
    sums = {}
    try:
        with open(sums_path, encoding="utf-8") as f:
            for line in f:
                digest, _, file_name = line.rstrip("\n").partition("  ")
                sums[file_name] = digest
    except OSError as e:
        fault("%s: %s" % (sums_path, e))
    check_winget(directory, sums, version, base)
    check_scoop(directory, sums, version, base)
    for text in faults:
        print("FAIL: %s" % text)
    if faults:
        print("%d faults in the winget and Scoop manifests" % len(faults))
        return 1
    if base == PLACEHOLDER:
        print("winget %s and Scoop manifests sound, but NOT ready to publish: their download "
              "URL is the placeholder %s (set KORVANEX_DOWNLOAD_URL)" % (MANIFEST_VERSION, base))
        return 3
    print("winget %s and Scoop manifests sound and ready to publish from %s"
          % (MANIFEST_VERSION, base))
    return 0


if __name__ == "__main__":
    sys.exit(main())
