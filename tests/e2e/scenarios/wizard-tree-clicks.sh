# The component tree of the demo: a click on a row's text selects it and
# shows its description without changing its state; a click on its check
# icon toggles it, carries the state to a category's components and derives
# the category; locked rows never change; a category that keeps locked
# components shows as partly selected. The install type and the required
# space follow every click; the list's types set the rows. Only component
# rows are compared with the preset: every component back at its preset
# shows "Default" even while a category was clicked to partly selected.
source "$E2E/components_lib.sh"
make_installer() { demo_installer; }
driver_commands() {
  to_components_page
  cat <<CMDS
expect-tree-images 133 3,0,0,2,3,1
expect-items 131 "Default|Full|Custom"
expect-selected 131 0
expect-text 136 "Required space: 12.07 KB"
expect-text 135 "Position your mouse over a component from the list to view its description."
snap $(shots_folder)\\page-3-components.bmp
tree-click 133 5 text
expect-text 135 "A command-line tool for converting Demo Product documents. Optional."
expect-tree-images 133 3,0,0,2,3,1
expect-selected 131 0
tree-click 133 5 icon
expect-tree-images 133 3,0,0,3,3,3
expect-selected 131 1
expect-text 136 "Required space: 15.76 KB"
tree-click 133 4 icon
expect-tree-images 133 3,0,0,2,1,3
expect-selected 131 2
expect-text 136 "Required space: 12.09 KB"
expect-text 135 "Sample .qdemo documents to open with Demo Product, and a small runner."
tree-click 133 1 icon
expect-tree-images 133 3,0,0,2,1,3
expect-text 135 "The Demo Product program, its readme and its licence. Always installed."
tree-click 133 3 icon
expect-tree-images 133 3,0,0,3,3,3
expect-selected 131 1
tree-click 133 3 icon
expect-tree-images 133 3,0,0,1,1,1
expect-selected 131 2
expect-text 136 "Required space: 8.41 KB"
tree-click 133 0 icon
expect-tree-images 133 2,0,0,1,1,1
expect-text 135 "Position your mouse over a component from the list to view its description."
tree-click 133 4 icon
expect-tree-images 133 2,0,0,2,3,1
expect-selected 131 0
select-list 131 1
expect-tree-images 133 3,0,0,3,3,3
expect-text 136 "Required space: 15.76 KB"
select-list 131 0
expect-tree-images 133 3,0,0,2,3,1
expect-text 136 "Required space: 12.07 KB"
select-list 131 2
expect-tree-images 133 3,0,0,2,3,1
expect-selected 131 2
tree-click 133 4 icon
tree-click 133 4 icon
expect-selected 131 0
CMDS
}
