// The folder pane: an ARIA tree of the disc's folders under one node for the
// whole disc. One node is focusable at a time (arrow keys move it) and the
// folder under focus is the one the file list shows, as in the viewer.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var kinds = Arcseal.fileKinds;

  // options: { onSelect(folderItemOrNull), onEnter() }
  function FolderTree(element, options) {
    this.element = element;
    this.options = options;
    this.root = null;
    this.byIndex = new Map();
    this.current = null;
    element.addEventListener('keydown', this.onKey.bind(this));
    element.addEventListener('click', this.onClick.bind(this));
  }

  function byName(a, b) {
    return kinds.naturalCompare(a.name, b.name);
  }

  FolderTree.prototype.show = function (disc) {
    var tree = this;
    this.byIndex = new Map();
    this.root = { item: null, name: disc.title || 'Disc', children: [], parent: null, level: 1, expanded: true };
    disc.items.forEach(function (item) {
      if (!item.isFolder || item.isTop) return;
      var parent = item.folderIndex >= 0 ? tree.byIndex.get(item.folderIndex) : tree.root;
      if (!parent) return;
      var node = { item: item, name: item.name, children: [], parent: parent, level: parent.level + 1, expanded: false };
      parent.children.push(node);
      tree.byIndex.set(item.index, node);
    });
    this.element.replaceChildren(this.render(this.root));
    this.select(this.root, false);
  };

  FolderTree.prototype.render = function (node) {
    var li = document.createElement('li');
    li.setAttribute('role', 'treeitem');
    li.setAttribute('aria-level', String(node.level));
    li.setAttribute('aria-selected', 'false');
    li.tabIndex = -1;
    var row = document.createElement('span');
    row.className = 'tree-row';
    row.style.setProperty('--level', String(node.level - 1));
    var twisty = document.createElement('span');
    twisty.className = 'twisty';
    twisty.setAttribute('aria-hidden', 'true');
    var label = document.createElement('span');
    label.className = 'tree-label';
    label.textContent = node.name;
    // The node's name is its label alone, not the names of the folders in it.
    label.id = 'folder-' + (node.item ? node.item.index : 'top');
    li.setAttribute('aria-labelledby', label.id);
    row.append(twisty, label);
    if (node.item && node.item.problem) {
      li.classList.add('refused');
      li.title = 'Cannot be saved: ' + node.item.problem;
    }
    li.append(row);
    node.element = li;
    li.arcsealNode = node;
    node.children.sort(byName);
    if (node.children.length) this.setExpanded(node, node.expanded);
    return li;
  };

  // Children are built the first time their folder opens: a disc may hold
  // many thousands of folders.
  FolderTree.prototype.setExpanded = function (node, expanded) {
    if (!node.children.length) return;
    node.expanded = expanded;
    node.element.setAttribute('aria-expanded', String(expanded));
    if (expanded && !node.group) {
      node.group = document.createElement('ul');
      node.group.setAttribute('role', 'group');
      node.children.forEach(function (child) { node.group.append(this.render(child)); }, this);
      node.element.append(node.group);
    }
    if (node.group) node.group.hidden = !expanded;
  };

  FolderTree.prototype.visibleNodes = function () {
    var out = [];
    (function walk(node) {
      out.push(node);
      if (node.expanded) node.children.forEach(walk);
    })(this.root);
    return out;
  };

  FolderTree.prototype.select = function (node, focus) {
    if (this.current) {
      this.current.element.setAttribute('aria-selected', 'false');
      this.current.element.tabIndex = -1;
    }
    this.current = node;
    node.element.setAttribute('aria-selected', 'true');
    node.element.tabIndex = 0;
    if (focus) node.element.focus();
    this.options.onSelect(node.item);
  };

  // Opens the folders above an item and selects it (the list's Backspace).
  FolderTree.prototype.selectItem = function (item, focus) {
    var node = item ? this.byIndex.get(item.index) : this.root;
    if (!node) return;
    for (var up = node.parent; up; up = up.parent) this.setExpanded(up, true);
    this.select(node, focus);
  };

  FolderTree.prototype.focus = function () {
    if (this.current) this.current.element.focus();
  };

  FolderTree.prototype.selectedFolder = function () {
    return this.current ? this.current.item : null;
  };

  FolderTree.prototype.onClick = function (event) {
    var li = event.target.closest('[role="treeitem"]');
    if (!li || !this.element.contains(li)) return;
    var node = li.arcsealNode;
    if (event.target.classList.contains('twisty')) this.setExpanded(node, !node.expanded);
    else this.select(node, true);
  };

  FolderTree.prototype.onKey = function (event) {
    var node = this.current;
    if (!node || event.altKey || event.ctrlKey || event.metaKey) return;
    var visible = this.visibleNodes();
    var at = visible.indexOf(node);
    var next = null;
    switch (event.key) {
      case 'ArrowDown': next = visible[at + 1]; break;
      case 'ArrowUp': next = visible[at - 1]; break;
      case 'Home': next = visible[0]; break;
      case 'End': next = visible[visible.length - 1]; break;
      case 'ArrowRight':
        if (node.children.length && !node.expanded) this.setExpanded(node, true);
        else next = node.children[0];
        break;
      case 'ArrowLeft':
        if (node.expanded && node.children.length) this.setExpanded(node, false);
        else next = node.parent;
        break;
      case 'Enter':
        this.options.onEnter();
        break;
      default:
        return;
    }
    event.preventDefault();
    if (next) this.select(next, true);
  };

  Arcseal.FolderTree = FolderTree;
})(globalThis);
