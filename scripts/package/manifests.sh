# SPDX-License-Identifier: MIT
# The winget and Scoop manifests of the zips, from packaging/windows/*.in: release files, in dist/, only
# with KORVANEX_DOWNLOAD_URL (docs/releasing.md); without it made and checked all the same, for a stand-in
# URL, outside dist/.  Their schemas winget's and Scoop's tools check on submission; here, the fields each
# format requires.  Sourced by scripts/package.sh.
# shellcheck shell=sh disable=SC2154

# The winget manifests' format.
winget=1.12.0
# Where the manifests say the zips are.
url=${KORVANEX_DOWNLOAD_URL:-https://example.org/korvanex/$version}
url=${url%/}

# make_manifests: the manifests for the zips win32 and win64 in dist/.
make_manifests() {
    out=dist
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
    set -- "-DPROJECT_VERSION=$version" "-DURL=$url" "-DWINGET=$winget" "-DCOPYRIGHT=$(grep '^Copyright ' LICENSE)"
    for w in win32 win64; do
        sha=$(sha256sum "dist/korvanex-$version-$w.zip") || fail "no $w zip to hash"
        set -- "$@" "-DSHA256_$w=${sha%% *}"
    done
    for t in packaging/windows/*.in; do
        cmake "$@" -DKIND=text "-DIN=$t" "-DOUT=$out/$(basename "$t" .in)" -DREADME=README.md -P cmake/text.cmake
    done
    echo "manifests:$out -" >>build-package/built
}

# value FILE KEY: each value of KEY in FILE, a YAML file of ours, unquoted, a line each.
value() {
    sed -n "s/^ *-\{0,1\} *$2: *'\{0,1\}\([^']*\)'\{0,1\}\$/\1/p" "$1"
}

# check_manifests DIR: the manifests in DIR, each format's required fields, the version, and for each
# zip its URL, its SHA-256 and the path of korvanex.exe in it.
check_manifests() {
    [ -n "${KORVANEX_DOWNLOAD_URL:-}" ] || [ -z "$(find dist -name '*.yaml' -o -name '*.json')" ] ||
        fail "manifests: in dist/ without KORVANEX_DOWNLOAD_URL: $(ls dist)"
    i=$(echo "$1"/*.installer.yaml) j=$1/korvanex.json
    id=$(basename "$i" .installer.yaml)
    # Each YAML file: the keys all have, and those winget's format requires of its type, once each
    # (winget refuses a key twice).
    while read -r file type required; do
        f=$1/$id${file#-}.yaml
        [ -f "$f" ] || fail "manifests: no $f"
        echo "$f: $id $version $type $winget $required" >&4
        for k in PackageIdentifier PackageVersion ManifestType ManifestVersion; do value "$f" "$k"; done >"$T/v"
        for k in $required; do [ "$(value "$f" "$k" | grep -c .)" != 1 ] || echo "$k"; done >>"$T/v"
        echo "$f: $(paste -s -d ' ' "$T/v")" >&5
    done 4>"$T/want" 5>"$T/got" <<EOT
- version DefaultLocale
.locale.en-US defaultLocale PackageLocale Publisher PackageName License ShortDescription
.installer installer InstallerType NestedInstallerType
EOT
    echo "$j: $version true" >>"$T/want"
    echo "$j: $(jq -r '"\(.version) \(.license and .homepage)"' "$j")" >>"$T/got"
    # Each zip's entries, winget's and then Scoop's.
    for k in Architecture InstallerUrl InstallerSha256 RelativeFilePath; do value "$i" "$k" >"$T/$k"; done
    (cd "$T" && paste -d ' ' Architecture InstallerUrl InstallerSha256 RelativeFilePath) >>"$T/got"
    jq -r '.bin as $b | .architecture | ("32bit", "64bit") as $s | .[$s] |
        "\($s) \(.url) \(.hash) \(.extract_dir)/\($b)"' "$j" >>"$T/got"
    for w in x86:32bit:win32 x64:64bit:win64; do
        zip=dist/korvanex-$version-${w##*:}.zip s=${w#*:}
        sha=$(sha256sum "$zip") || fail "manifests: no $zip"
        exe=$(cmake -E tar tf "$zip" | grep -x '[^/]*/korvanex[.]exe' || :)
        echo "${w%%:*} $url/${zip#dist/} ${sha%% *} $exe" >&4
        echo "${s%:*} $url/${zip#dist/} ${sha%% *} $exe" >&5
    done 4>>"$T/want" 5>"$T/scoop"
    cat "$T/scoop" >>"$T/want"
    diff "$T/want" "$T/got" >"$T/diff" || fail "manifests: not as wanted (<), but (>): $(cat "$T/diff")"
    ok "manifests: winget's and Scoop's required fields, the zips' SHA-256 and paths, for $url"
}
