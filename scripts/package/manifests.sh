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
# The zips, by the rows of targets.txt.
zips=$(echo "$releases" | sed -n 's/^zip:\([^ ]*\) .*/\1/p')
# names ZIP: winget's and Scoop's names for its word size (win32: x86 32bit).
names() { case $1 in *64) echo x64 64bit ;; *) echo x86 32bit ;; esac }

# make_manifests: the manifests for the zips in dist/, each one's entries made here.
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
    installers='' scoop=''
    for w in $zips; do
        zip=korvanex-$version-$w
        sha=$(sha256sum "dist/$zip.zip") || fail "no $w zip to hash"
        # shellcheck disable=SC2046 # two words
        set -- $(names "$w") "${sha%% *}"
        installers="$installers
- Architecture: $1
  InstallerUrl: '$url/$zip.zip'
  InstallerSha256: $3
  NestedInstallerFiles:
  - RelativeFilePath: $zip/korvanex.exe
    PortableCommandAlias: korvanex"
        scoop="$scoop${scoop:+,}
        \"$2\": { \"url\": \"$url/$zip.zip\", \"hash\": \"$3\", \"extract_dir\": \"$zip\" }"
    done
    for t in packaging/windows/*.in; do
        cmake "-DPROJECT_VERSION=$version" "-DURL=$url" "-DWINGET=$winget" \
            "-DCOPYRIGHT=$(grep '^Copyright ' LICENSE)" "-DINSTALLERS=$installers" "-DSCOOP=$scoop" \
            -DKIND=text "-DIN=$t" "-DOUT=$out/$(basename "$t" .in)" -DREADME=README.md -P cmake/text.cmake
    done
    echo "manifests:$out -" >>build-package/built
}

# value FILE KEY: each value of KEY in FILE, a YAML file of ours, unquoted, a line each.
value() { sed -n "s/^ *-\{0,1\} *$2: *'\{0,1\}\([^']*\)'\{0,1\}\$/\1/p" "$1"; }

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
    jq -r '.bin as $b | .architecture | to_entries[] |
        "\(.key) \(.value.url) \(.value.hash) \(.value.extract_dir)/\($b)"' "$j" >>"$T/got"
    for w in $zips; do
        zip=dist/korvanex-$version-$w.zip
        # shellcheck disable=SC2046 # two words
        set -- $(names "$w")
        sha=$(sha256sum "$zip") || fail "manifests: no $zip"
        exe=$(cmake -E tar tf "$zip" | grep -x '[^/]*/korvanex[.]exe' || :)
        echo "$1 $url/${zip#dist/} ${sha%% *} $exe" >&4
        echo "$2 $url/${zip#dist/} ${sha%% *} $exe" >&5
    done 4>>"$T/want" 5>"$T/scoop"
    cat "$T/scoop" >>"$T/want"
    diff "$T/want" "$T/got" >"$T/diff" || fail "manifests: not as wanted (<), but (>): $(cat "$T/diff")"
    ok "manifests: winget's and Scoop's required fields, the zips' SHA-256 and paths, for $url"
}
