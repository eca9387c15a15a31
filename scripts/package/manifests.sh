# shellcheck shell=sh disable=SC2154
# SPDX-License-Identifier: MIT
# (version, T and the functions of common.sh come from scripts/package.sh.)
# The manifests by which Windows users install the zips: a winget manifest
# set (three YAML files) and a Scoop manifest (JSON), with the SHA-256 of the
# zips just built.  Sourced by scripts/package.sh, after make_zip.  They are
# release files like the others, so SHA256SUMS lists them; they hash the
# zips, never themselves nor SHA256SUMS.
#
# The zips' download address is KORVANEX_DOWNLOAD_URL: the folder where the
# release files are published side by side, SHA256SUMS included.  Unset, the
# manifests carry the placeholder below, and the check says they are not
# ready to publish.
placeholder=@KORVANEX_DOWNLOAD_URL@
winget_id=Korvanex.Korvanex

# make_manifests: dist/Korvanex.Korvanex{,.installer,.locale.en-US}.yaml and
# dist/korvanex.json, for the zips win32 and win64 in dist/.
make_manifests() {
    base=${KORVANEX_DOWNLOAD_URL:-$placeholder}
    base=${base%/}
    # Taken into YAML and JSON as it is: no character that either quotes.
    case $base in
    "$placeholder") ;;
    http://?* | https://?*)
        case $base in
        *[[:space:]\"\'\\]*) fail "KORVANEX_DOWNLOAD_URL holds a space, quote or backslash: $base" ;;
        esac
        ;;
    *) fail "KORVANEX_DOWNLOAD_URL is not an http:// or https:// URL: $base" ;;
    esac
    sha32=$(sha256sum "dist/korvanex-$version-win32.zip") || fail "no win32 zip to hash"
    sha64=$(sha256sum "dist/korvanex-$version-win64.zip") || fail "no win64 zip to hash"
    sha32=${sha32%% *} sha64=${sha64%% *}
    copyright=$(grep '^Copyright (c) ' LICENSE)
    # Scoop's autoupdate: the same address with the version as $version,
    # where the folder's path names it.  A folder without the version holds
    # the newest release, whose SHA256SUMS Scoop's checkver reads.
    auto=$base
    if [ "$base" != "$placeholder" ]; then
        dotted=$(echo "$version" | sed 's/[.]/[.]/g') # as a pattern
        host=${base#*://}
        host=${base%%://*}://${host%%/*}
        path=${base#"$host"}
        auto=$host$(printf '%s\n' "$path" |
            sed "s/\(^\|[^0-9.]\)$dotted\([^0-9.]\|\$\)/\1\$version\2/g")
    fi
    no_runtime="needs no runtime and no DLL beyond those that come with Windows"

    cat >"dist/$winget_id.yaml" <<EOF
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.version.1.6.0.schema.json
PackageIdentifier: $winget_id
PackageVersion: '$version'
DefaultLocale: en-US
ManifestType: version
ManifestVersion: 1.6.0
EOF
    cat >"dist/$winget_id.locale.en-US.yaml" <<EOF
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.defaultLocale.1.6.0.schema.json
PackageIdentifier: $winget_id
PackageVersion: '$version'
PackageLocale: en-US
Publisher: The korvanex developers
PackageName: korvanex
Moniker: korvanex
License: MIT
Copyright: '$copyright'
ShortDescription: Local date and time as an exit status, for batch files and scripts
Description: >-
  korvanex hands one part of the local date or time (month, day, year,
  century, hour, minute or second) to the batch file or script that started
  it, as its exit status, to be read with "if errorlevel" or
  \$LASTEXITCODE. korvanex.exe $no_runtime.
Tags:
- batch
- date
- errorlevel
- time
ManifestType: defaultLocale
ManifestVersion: 1.6.0
EOF
    {
        cat <<EOF
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.installer.1.6.0.schema.json
PackageIdentifier: $winget_id
PackageVersion: '$version'
InstallerType: zip
NestedInstallerType: portable
Installers:
EOF
        for arch in x86:32:$sha32 x64:64:$sha64; do
            sha=${arch##*:} bits=${arch#*:}
            bits=${bits%%:*}
            cat <<EOF
- Architecture: ${arch%%:*}
  InstallerUrl: '$base/korvanex-$version-win$bits.zip'
  InstallerSha256: $(echo "$sha" | tr a-f A-F)
  NestedInstallerFiles:
  - RelativeFilePath: korvanex-$version-win$bits/korvanex.exe
    PortableCommandAlias: korvanex
EOF
        done
        cat <<EOF
ManifestType: installer
ManifestVersion: 1.6.0
EOF
    } >"dist/$winget_id.installer.yaml"

    cat >dist/korvanex.json <<EOF
{
    "version": "$version",
    "description": "Local date and time as an exit status, for batch files and scripts; $no_runtime",
    "license": "MIT",
    "architecture": {
        "64bit": {
            "url": "$base/korvanex-$version-win64.zip",
            "hash": "$sha64",
            "extract_dir": "korvanex-$version-win64"
        },
        "32bit": {
            "url": "$base/korvanex-$version-win32.zip",
            "hash": "$sha32",
            "extract_dir": "korvanex-$version-win32"
        }
    },
    "bin": "korvanex.exe",
    "checkver": {
        "url": "$base/SHA256SUMS",
        "regex": "korvanex-([\\\\d.]+)-win64\\\\.zip"
    },
    "autoupdate": {
        "architecture": {
            "64bit": {
                "url": "$auto/korvanex-\$version-win64.zip",
                "extract_dir": "korvanex-\$version-win64"
            },
            "32bit": {
                "url": "$auto/korvanex-\$version-win32.zip",
                "extract_dir": "korvanex-\$version-win32"
            }
        },
        "hash": {
            "url": "\$baseurl/SHA256SUMS",
            "regex": "\$sha256\\\\s+\\\\*?\$basename"
        }
    }
}
EOF
    # A folder per release holds no newer one for checkver to find.
    [ "$auto" = "$base" ] || sed -i '/^    "checkver": {$/,/^    },$/d' dist/korvanex.json
    built manifests "$winget_id"
}

# manifests_py DIR SHA256SUMS VERSION URL: the checker.
manifests_py() {
    python3 scripts/package/manifests.py "$@"
}

# check_manifests ID: the fields each format requires, the hashes as
# SHA256SUMS has them, and the address; then that the checker rejects a
# hash that differs and a missing field, so that its passing means something.
check_manifests() {
    base=${KORVANEX_DOWNLOAD_URL:-$placeholder}
    status=0
    manifests_py dist build-package/SHA256SUMS "$version" "${base%/}" >"$T/out" 2>&1 || status=$?
    # 3: sound, but with the placeholder for an address.
    case $status in
    0 | 3) ok "manifests: $(tail -n 1 "$T/out")" ;;
    *) fail "manifests: $(cat "$T/out")" ;;
    esac
    mkdir "$T/bad"
    while IFS='|' read -r file edit want; do
        rm -f "$T/bad/"*
        cp "dist/$1.yaml" "dist/$1".*.yaml dist/korvanex.json "$T/bad/"
        ln -s "$PWD/dist/korvanex-$version-win32.zip" "$PWD/dist/korvanex-$version-win64.zip" "$T/bad/"
        sed -i "$edit" "$T/bad/$file"
        cmp -s "$T/bad/$file" "dist/$file" && fail "manifests: '$edit' changes nothing in $file"
        status=0
        manifests_py "$T/bad" build-package/SHA256SUMS "$version" "${base%/}" >"$T/out" 2>&1 ||
            status=$?
        case $status:$(cat "$T/out") in
        1:*"$want"*) ;;
        *) fail "manifests: the check misses '$edit' in $file: $(cat "$T/out")" ;;
        esac
    done <<EOF_TABLE
$1.installer.yaml|s/Sha256: 0/Sha256: 1/;t;s/Sha256: ./Sha256: 0/|InstallerSha256 of x86 differs from SHA256SUMS
korvanex.json|s/"hash": "0/"hash": "1/;t;s/"hash": "[0-9a-f]/"hash": "0/|hash of 32bit differs from SHA256SUMS
$1.installer.yaml|/NestedInstallerFiles:/,+2d|lacks NestedInstallerFiles
$1.installer.yaml|s/^- Architecture: x64/- Scope: user/|lacks Architecture
$1.installer.yaml|/^- Architecture: x64/d|key InstallerUrl given twice
$1.locale.en-US.yaml|/^Publisher:/d|lacks Publisher
$1.yaml|/^ManifestVersion:/d|lacks ManifestVersion
$1.yaml|s/^PackageVersion: .*/PackageVersion: '0.9'/|PackageVersion is '0.9'
korvanex.json|/"bin"/d|lacks bin
korvanex.json|/"extract_dir": "korvanex-[0-9.]*-win64"/s/win64/win32/|extract_dir of 64bit
$1.installer.yaml|s/win64\/korvanex.exe/win64\/other.exe/|RelativeFilePath
EOF_TABLE
    ok "manifests: the check rejects a changed hash, missing fields, another version and a wrong path"
}
