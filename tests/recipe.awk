# SPDX-License-Identifier: MIT
# Prints the code block marked "<!-- recipe: NAME -->" in a Markdown file:
#   awk -v name=NAME -f tests/recipe.awk README.md
$0 == "<!-- recipe: " name " -->" { found = 1; next }
found && /^```/ { if (inside) exit; inside = 1; next }
inside { print }
