# SPDX-License-Identifier: MIT
# The zips' winget and Scoop manifests (docs/releasing.md), held to the published formats.
# shellcheck shell=sh disable=SC2154

winget=1.12.0
url=${KORVANEX_DOWNLOAD_URL:-https://example.org/korvanex/$version}
url=${url%/}

# make_manifests OUT NAME...: in OUT, manifests for dist/korvanex-VERSION-NAME.zip.
make_manifests() {
    out=$1
    shift
    case $url in
    # Taken into YAML, JSON and sed as it is.
    *[[:space:]\"\'\\\|\&]*) die "KORVANEX_DOWNLOAD_URL holds a space, quote, \\, | or &: $url" ;;
    http://?* | https://?*) ;;
    *) die "KORVANEX_DOWNLOAD_URL is not an http:// or https:// URL: $url" ;;
    esac
    mkdir -p "$out"
    installers='' scoop=''
    for w; do
        zip=korvanex-$version-$w
        sha=$(sha256sum "dist/$zip.zip") || die "no $w zip to hash"
        # The CPU by the zip's name.
        case $w in
        arm64) arch=arm64 bits=arm64 ;;
        *64) arch=x64 bits=64bit ;;
        *) arch=x86 bits=32bit ;;
        esac
        installers="$installers
- Architecture: $arch
  InstallerUrl: '$url/$zip.zip'
  InstallerSha256: '${sha%% *}'
  NestedInstallerFiles:
  - RelativeFilePath: $zip/korvanex.exe
    PortableCommandAlias: korvanex"
        scoop="$scoop${scoop:+,}
        \"$bits\": { \"url\": \"$url/$zip.zip\", \"hash\": \"${sha%% *}\",
            \"extract_dir\": \"$zip\" }"
    done
    for t in packaging/windows/*.in; do
        cmake "-DPROJECT_VERSION=$version" "-DURL=$url" "-DWINGET=$winget" \
            "-DINSTALLERS=$installers" "-DSCOOP=$scoop" -DKIND=text "-DIN=$t" \
            "-DOUT=$out/$(basename "$t" .in)" -DREADME=README.md -P cmake/text.cmake
    done
}

# winget's field patterns, wherever the fields stand, and required fields; Scoop's.  A field of
# another type (1.12, a YAML number) fails.  One line a fault.
# shellcheck disable=SC2016 # jq's variables
formats='
def n: "(0|[1-9][0-9]{0,3}|[1-5][0-9]{4}|6[0-4][0-9]{3}|65[0-4][0-9]{2}|655[0-2][0-9]|6553[0-5])";
def part: "[^.\\s\\\\/:*?\"<>|\u0001-\u001f]{1,32}";
def locale: "^([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*$";
def winget: {ManifestVersion: "^\(n)(\\.\(n)){2}$", PackageIdentifier: "^\(part)(\\.\(part)){1,7}$",
  PackageVersion: "^[^\\\\/:*?\"<>|\u0001-\u001f]{1,128}$",
  PackageLocale: locale, DefaultLocale: locale,
  InstallerSha256: "^[A-Fa-f0-9]{64}$", Architecture: "^(x86|x64|arm|arm64|neutral)$",
  InstallerUrl: "^[Hh][Tt][Tt][Pp][Ss]?://.+$",
  InstallerType: "^(msix|msi|appx|exe|zip|inno|nullsoft|wix|burn|pwa|portable|font)$",
  NestedInstallerType: "^(msix|msi|appx|exe|inno|nullsoft|wix|burn|portable|font)$"};
def required: {version: ["DefaultLocale"], installer: ["Installers"],
  defaultLocale: ["PackageLocale", "Publisher", "PackageName", "License", "ShortDescription"]};
def hex: "[a-fA-F0-9]";
def uri: type == "string" and test("^[A-Za-z][A-Za-z0-9+.-]*:[^\\s$]+$");
def fault(f; why): "\(f): \(why)";
def zips: $sums | split("\n")[] | select(. != "") | split("  ") | [.[0], (.[1] | sub(".*/"; ""))];
def installers($zip): [$w[] | .Installers[]? | select(.InstallerUrl | endswith("/" + $zip))];
def scoop($zip): [$s[] | .architecture | to_entries[] | select(.value.url | endswith("/" + $zip))];
($w[] | . as $m | (required[.ManifestType // ""] // [])
  + ["PackageIdentifier", "PackageVersion", "ManifestType", "ManifestVersion"] - keys
  | .[] | fault($m.ManifestType; "no \(.)")),
($w[] | .. | objects | to_entries[] | .key as $k | select(winget[$k]) | .value
  | select(type != "string" or (test(winget[$k]) | not) or ($k == "InstallerUrl" and length > 2048))
  | fault($k; .)),
($w[] | select(.ManifestType == "installer") | .Installers[]
  | (["Architecture", "InstallerUrl", "InstallerSha256"] - keys)[]
  | fault("an installer"; "no \(.)")),
($s[] | (["version", "homepage", "license"] - keys)[] | fault("Scoop"; "no \(.)")),
($s[] | select(.version | type != "string" or (test("^[\\w.\\-+_]+$") | not))
  | fault("Scoop"; .version)),
($s[] | select(.homepage | uri | not) | fault("Scoop"; .homepage)),
($s[] | .architecture[] | select((.url | uri) and (.hash | type == "string" and
  test("^(\(hex){64}|(sha1|sha256|sha512|md5):(\(hex){32}|\(hex){40}|\(hex){64}|\(hex){128}))$"))
  | not) | fault("Scoop"; .)),
(zips as [$sha, $zip] | (installers($zip) | map(.InstallerSha256)), (scoop($zip) | map(.value.hash))
  | select(map(ascii_downcase) != [$sha])
  | fault($zip; "its SHA-256 is \($sha), the manifests say \(.)")),
(zips as [$sha, $zip] | installers($zip)
  | map({x64: "64bit", x86: "32bit", arm64: "arm64"}[.Architecture]) as $a
  | scoop($zip) | map(.key) | select(. != $a) | fault($zip; "Scoop names \(.), winget \($a)"))
'

# check_manifests DIR: DIR's manifests parse, keep their formats, and give each zip in dist/ once,
# with its SHA-256, for the same CPU in both.
check_manifests() {
    for f in "$1"/*.yaml; do
        yq . "$f" >"$T/$(basename "$f").json" 2>"$T/err" ||
            die "manifests: $f is not YAML: $(cat "$T/err")"
    done
    jq . "$1/korvanex.json" >/dev/null 2>"$T/err" || die "manifests: not JSON: $(cat "$T/err")"
    sha256sum dist/*.zip >"$T/sums" || die "manifests: no zips in dist/ to hash"
    jq -n -r --rawfile sums "$T/sums" --slurpfile s "$1/korvanex.json" \
        "[inputs] as \$w | $formats" \
        "$T"/*.yaml.json >"$T/faults" || die "manifests: jq could not check them"
    [ ! -s "$T/faults" ] || die "manifests: not in their formats: $(cat "$T/faults")"
    ok "manifests: winget's and Scoop's formats, and the SHA-256 of each zip, for $url"
}
