# The description box follows the mouse pointer over the tree: a
# component's description, the "no component" text over a category and
# outside the tree; leaving the page for page 4 keeps the space lines in
# step with the selection.
source "$E2E/components_lib.sh"
make_installer() { demo_installer; }
driver_commands() {
  to_components_page
  cat <<CMDS
tree-hover 133 4
expect-text 135 "Sample .qdemo documents to open with Demo Product, and a small runner."
tree-hover 133 2
expect-text 135 "The user manual and its viewer. Required by the program's Help menu."
tree-hover 133 3
expect-text 135 "Position your mouse over a component from the list to view its description."
tree-hover 133 5
expect-text 135 "A command-line tool for converting Demo Product documents. Optional."
mouse-click 129
expect-text 135 "Position your mouse over a component from the list to view its description."
select-list 131 1
click 29
expect-visible 150 1
expect-text 159 "Required space: 15.8 KB"
CMDS
}
