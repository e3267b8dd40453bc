// The file pane: the files of the folder chosen in the tree, in a grid with
// Name, Size and Type columns sorted by clicking their headers (a second
// click reverses), as the viewer's list. Arrow keys move, Enter opens,
// Backspace goes to the folder above.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var kinds = Arcseal.fileKinds;

  var ORDERS = {
    name: function (a, b) { return kinds.naturalCompare(a.name, b.name); },
    size: function (a, b) { return a.size - b.size; },
    type: function (a, b) { return kinds.naturalCompare(kinds.typeName(a.name), kinds.typeName(b.name)) || ORDERS.name(a, b); }
  };

  // Sorted copy of items; equal keys keep their order, reversed or not.
  function sortItems(items, column, descending) {
    var order = ORDERS[column];
    return items.map(function (item, i) { return { item: item, i: i }; }).sort(function (a, b) {
      var c = order(a.item, b.item);
      return (descending ? -c : c) || a.i - b.i;
    }).map(function (e) { return e.item; });
  }

  // options: { onSelect(item), onOpen(item), onParent() }
  function FileList(table, options) {
    this.table = table;
    this.body = table.tBodies[0];
    this.options = options;
    this.items = [];
    this.rows = [];
    this.selected = null;
    this.column = 'name';
    this.descending = false;
    var list = this;
    table.querySelectorAll('th[data-column] button').forEach(function (button) {
      button.addEventListener('click', function () { list.sortBy(button.closest('th').dataset.column); });
    });
    this.body.addEventListener('click', function (event) {
      var row = event.target.closest('tr');
      if (row && row.arcsealItem) list.select(row.arcsealItem, true);
    });
    this.body.addEventListener('dblclick', function (event) {
      var row = event.target.closest('tr');
      if (row && row.arcsealItem) options.onOpen(row.arcsealItem);
    });
    this.body.addEventListener('keydown', this.onKey.bind(this));
    this.showSortState();
  }

  FileList.prototype.show = function (items, label) {
    this.items = items;
    this.selected = null;
    this.table.setAttribute('aria-label', label);
    this.render();
    this.options.onSelect(null);
  };

  FileList.prototype.sortBy = function (column) {
    this.descending = column === this.column ? !this.descending : false;
    this.column = column;
    this.showSortState();
    this.render();
  };

  FileList.prototype.showSortState = function () {
    var list = this;
    this.table.querySelectorAll('th[data-column]').forEach(function (th) {
      var on = th.dataset.column === list.column;
      th.setAttribute('aria-sort', on ? (list.descending ? 'descending' : 'ascending') : 'none');
    });
  };

  function cell(text, className) {
    var td = document.createElement('td');
    td.textContent = text;
    if (className) td.className = className;
    return td;
  }

  FileList.prototype.render = function () {
    var list = this;
    var sorted = sortItems(this.items, this.column, this.descending);
    this.rows = sorted.map(function (item) {
      var tr = document.createElement('tr');
      tr.tabIndex = -1;
      tr.setAttribute('aria-selected', 'false');
      var name = cell(item.name, 'name');
      if (item.problem) {
        tr.classList.add('refused');
        var note = document.createElement('span');
        note.className = 'note';
        note.textContent = ' (cannot be saved: ' + item.problem + ')';
        name.append(note);
      }
      var size = cell(kinds.sizeText(item.size), 'size');
      size.title = item.size.toLocaleString() + ' bytes';
      tr.append(name, size, cell(kinds.typeName(item.name), 'type'));
      tr.arcsealItem = item;
      return tr;
    });
    if (!this.rows.length) {
      var empty = document.createElement('tr');
      var td = cell('This folder holds no files.', 'empty');
      td.colSpan = 3;
      empty.append(td);
      this.body.replaceChildren(empty);
      return;
    }
    this.body.replaceChildren.apply(this.body, this.rows);
    var keep = this.selected;
    this.selected = null;
    if (keep) this.select(keep, false);
    else this.rows[0].tabIndex = 0;
  };

  FileList.prototype.rowOf = function (item) {
    return this.rows.find(function (row) { return row.arcsealItem === item; }) || null;
  };

  FileList.prototype.select = function (item, focus) {
    var old = this.selected && this.rowOf(this.selected);
    if (old) old.setAttribute('aria-selected', 'false');
    this.rows.forEach(function (row) { row.tabIndex = -1; });
    this.selected = item;
    var row = this.rowOf(item);
    if (row) {
      row.setAttribute('aria-selected', 'true');
      row.tabIndex = 0;
      if (focus) row.focus();
    }
    this.options.onSelect(item);
  };

  FileList.prototype.focus = function () {
    var row = (this.selected && this.rowOf(this.selected)) || this.rows[0];
    if (row) {
      if (!this.selected) this.select(row.arcsealItem, false);
      row.focus();
    }
  };

  FileList.prototype.onKey = function (event) {
    if (event.altKey || event.ctrlKey || event.metaKey) return;
    var at = this.selected ? this.rows.indexOf(this.rowOf(this.selected)) : -1;
    var last = this.rows.length - 1;
    var to = null;
    switch (event.key) {
      case 'ArrowDown': to = Math.min(at + 1, last); break;
      case 'ArrowUp': to = Math.max(at - 1, 0); break;
      case 'PageDown': to = Math.min(at + 10, last); break;
      case 'PageUp': to = Math.max(at - 10, 0); break;
      case 'Home': to = 0; break;
      case 'End': to = last; break;
      case 'Enter':
        if (this.selected) this.options.onOpen(this.selected);
        break;
      case 'Backspace':
        this.options.onParent();
        break;
      default:
        return;
    }
    event.preventDefault();
    if (to !== null && last >= 0) this.select(this.rows[to].arcsealItem, true);
  };

  var exported = { FileList: FileList, sortItems: sortItems };
  Arcseal.FileList = FileList;
  Arcseal.fileList = exported;
  if (typeof module === 'object' && module.exports) module.exports = exported;
})(globalThis);
