// The strip under the panes: one long task at a time with its progress and
// a Stop button, and the last message (errors announced at once to screen
// readers, the rest politely).
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var kinds = Arcseal.fileKinds;

  function StatusBar(elements) {
    this.box = elements.progressBox;
    this.label = elements.progressLabel;
    this.bar = elements.progress;
    this.stopButton = elements.stop;
    this.message = elements.message;
    this.alert = elements.alert;
    this.current = null;
    var self = this;
    this.stopButton.addEventListener('click', function () {
      if (self.current) self.current.controller.abort();
    });
  }

  // Starts a task, or returns null (and says so) while another one runs.
  // task.update(done, total) moves the bar (total 0: no measure yet).
  StatusBar.prototype.task = function (label, canStop) {
    if (this.refuseWhileBusy()) return null;
    var self = this;
    var task = {
      label: label,
      controller: new AbortController(),
      update: function (done, total, text) {
        if (total > 0) {
          self.bar.max = total;
          self.bar.value = Math.min(done, total);
          self.bar.setAttribute('aria-valuetext', kinds.sizeText(done) + ' of ' + kinds.sizeText(total));
        } else {
          self.bar.removeAttribute('value');
        }
        if (text) self.label.textContent = text;
      },
      finish: function () {
        if (self.current !== task) return;
        self.current = null;
        self.box.hidden = true;
      }
    };
    task.signal = task.controller.signal;
    this.current = task;
    this.label.textContent = label;
    this.bar.removeAttribute('value');
    this.bar.removeAttribute('aria-valuetext');
    this.stopButton.hidden = !canStop;
    this.box.hidden = false;
    this.clear();
    return task;
  };

  // True (and says so) while a task runs: checked before a click opens a
  // tab or a save dialog that would then go unused.
  StatusBar.prototype.refuseWhileBusy = function () {
    if (!this.current) return false;
    this.say('Wait for \u201c' + this.current.label + '\u201d to finish, or stop it.', 'error');
    return true;
  };

  StatusBar.prototype.busy = function () {
    return !!this.current;
  };

  StatusBar.prototype.clear = function () {
    this.message.replaceChildren();
    this.alert.replaceChildren();
    this.message.className = 'message';
  };

  // kind: 'info', 'good' or 'error'; list: lines shown under the message.
  StatusBar.prototype.say = function (text, kind, list) {
    this.clear();
    var target = kind === 'error' ? this.alert : this.message;
    var p = document.createElement('p');
    p.className = 'message-' + (kind || 'info');
    p.textContent = text;
    target.append(p);
    if (list && list.length) {
      var ul = document.createElement('ul');
      list.forEach(function (line) {
        var li = document.createElement('li');
        li.textContent = line;
        ul.append(li);
      });
      target.append(ul);
    }
  };

  Arcseal.StatusBar = StatusBar;
})(globalThis);
