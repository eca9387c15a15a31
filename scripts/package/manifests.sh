# shellcheck shell=sh disable=SC2154
# SPDX-License-Identifier: MIT
# (version, T and the functions of common.sh come from scripts/package.sh.)
# The manifests by which Windows users install the zips, winget's (three
# YAML files) and Scoop's (JSON): packaging/windows/*.in filled with the
# version, the zips' SHA-256 and their download URL, KORVANEX_DOWNLOAD_URL,
# the folder where the release files are published side by side.  Only with
# it are they release files, in dist/ and so in SHA256SUMS; without it they
# are made and checked all the same, for a stand-in URL, outside dist/.
# Their schemas are checked downstream, by winget's and Scoop's own tools
# when a manifest is submitted; here, the fields each format requires.
standin=https://example.org/korvanex

# manifest_url: where the manifests say the zips are.
manifest_url() {
    url=${KORVANEX_DOWNLOAD_URL:-$standin/$version}
    echo "${url%/}"
}

# make_manifests: the manifests for the zips win32 and win64 in dist/.
make_manifests() {
    url=$(manifest_url) out=dist
    case $url in
    # Taken into YAML, JSON and sed as it is.
    *[[:space:]\"\'\\\|\&]*) fail "KORVANEX_DOWNLOAD_URL holds a space, quote, \\, | or &: $url" ;;
    http://?* | https://?*) ;;
    *) fail "KORVANEX_DOWNLOAD_URL is not an http:// or https:// URL: $url" ;;
    esac
    if [ -z "${KORVANEX_DOWNLOAD_URL:-}" ]; then
        out=build-package/manifests
        echo "no winget or Scoop manifests released: KORVANEX_DOWNLOAD_URL is not set" \
            "(they are checked in $out/, for $url)"
    fi
    mkdir -p "$out"
    set --
    for w in win32 win64; do
        sha=$(sha256sum "dist/korvanex-$version-$w.zip") || fail "no $w zip to hash"
        set -- "$@" -e "s|@SHA256_$w@|${sha%% *}|g"
    done
    for t in packaging/windows/*.in; do
        sed "$@" -e "s|@PROJECT_VERSION@|$version|g; s|@URL@|$url|g" \
            -e "s|@COPYRIGHT@|$(grep '^Copyright (c) ' LICENSE)|g" "$t" >"$out/$(basename "$t" .in)"
    done
    built manifests "$out"
}

# value FILE KEY: each value of KEY in FILE, a YAML file of ours, unquoted;
# a key twice (which winget refuses) gives two lines.
value() {
    sed -n "s/^ *-\{0,1\} *$2: *'\{0,1\}\([^']*\)'\{0,1\}\$/\1/p" "$1"
}

# is WHAT WANT GOT
is() {
    [ "$3" = "$2" ] || fail "manifests: $1 is '$3', not '$2'"
}

# check_manifests DIR: the manifests in DIR, each format's required fields
# there, with the version, the URL and the zips' SHA-256 and paths.
check_manifests() {
    url=$(manifest_url)
    if [ -z "${KORVANEX_DOWNLOAD_URL:-}" ]; then
        for f in dist/*.yaml dist/*.json; do
            [ ! -e "$f" ] || fail "manifests: $f is in dist/, without KORVANEX_DOWNLOAD_URL"
        done
    fi
    set -- "$1"/*.installer.yaml
    dir=$(dirname "$1") id=$(basename "$1" .installer.yaml)
    # File, ManifestType, and the fields winget 1.6.0 requires beyond
    # PackageIdentifier, PackageVersion, ManifestType and ManifestVersion.
    while read -r file type fields; do
        f=$dir/$id${file#-}.yaml
        [ -f "$f" ] || fail "manifests: no $f"
        is "$f: PackageIdentifier" "$id" "$(value "$f" PackageIdentifier)"
        is "$f: PackageVersion" "$version" "$(value "$f" PackageVersion)"
        is "$f: ManifestType" "$type" "$(value "$f" ManifestType)"
        is "$f: ManifestVersion" 1.6.0 "$(value "$f" ManifestVersion)"
        for k in $fields; do
            [ "$(value "$f" "$k" | grep -c .)" = 1 ] || fail "manifests: $f: no $k, or more than one"
        done
    done <<EOF
- version DefaultLocale
.locale.en-US defaultLocale PackageLocale Publisher PackageName License ShortDescription
.installer installer InstallerType NestedInstallerType
EOF
    f=$dir/$id.installer.yaml j=$dir/korvanex.json
    jq -e '.license and .homepage' "$j" >/dev/null || fail "manifests: $j: no license or homepage"
    is "$j: version" "$version" "$(jq -r .version "$j")"
    for arch in x86:32bit:win32 x64:64bit:win64; do
        w=${arch##*:} a=${arch%%:*} s=${arch#*:}
        s=${s%:*}
        zip=dist/korvanex-$version-$w.zip
        sha=$(sha256sum "$zip") || fail "manifests: no $zip"
        cmake -E tar tf "$zip" >"$T/members"
        # Installers: the entry for this architecture alone.
        awk -v a="- Architecture: $a" '/^[^ ]/ { on = $0 == a } on' "$f" >"$T/entry"
        is "$f: Architecture" "$a" "$(value "$T/entry" Architecture)"
        is "$f: $a InstallerUrl" "$url/${zip#dist/}" "$(value "$T/entry" InstallerUrl)"
        is "$f: $a InstallerSha256" "${sha%% *}" "$(value "$T/entry" InstallerSha256 | tr A-F a-f)"
        path=$(value "$T/entry" RelativeFilePath)
        grep -qxF "$path" "$T/members" || fail "manifests: $f: $a RelativeFilePath $path is not in $zip"
        jq -r --arg s "$s" '.architecture[$s] | .url, .hash, .extract_dir + "/"' "$j" >"$T/got"
        jq -r .bin "$j" >>"$T/got"
        is "$j: $s url, hash, extract_dir and bin" "$url/${zip#dist/} ${sha%% *} ${path%/*}/ korvanex.exe" \
            "$(paste -s -d ' ' "$T/got")"
    done
    ok "manifests: winget's and Scoop's required fields, the zips' SHA-256 and paths, for $url"
}
