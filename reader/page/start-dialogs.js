// The dialogs a disc opens with, in the viewer's order, over its splash:
// the password (when the disc has one), then the licence (when it carries
// one). Either can end the start: the disc then stays closed.
(function (root) {
  'use strict';
  var Arcseal = root.Arcseal || (root.Arcseal = {});
  var messages = Arcseal.discMessages;

  function byId(id) {
    return document.getElementById(id);
  }

  // Lets the browser paint a change before work that holds the main thread
  // (Argon2id runs there for about a second).
  function painted() {
    return new Promise(function (resolve) {
      requestAnimationFrame(function () { setTimeout(resolve, 0); });
    });
  }

  var STAGES = {
    'deriving-key': 'Checking the password\u2026',
    'unwrapping-key': 'Opening the disc\u2026',
    'reading-items': 'Reading the list of files\u2026'
  };

  // Resolves true once the disc is unlocked, false when the reader cancels;
  // rejects with any error but a wrong password (which asks again).
  function askPassword(disc) {
    var dialog = byId('password-dialog');
    var form = byId('password-form');
    var field = byId('password');
    var shown = byId('password-show');
    var error = byId('password-error');
    var busy = byId('password-busy');
    var busyText = byId('password-busy-text');
    var controls = form.querySelectorAll('input, button');
    return new Promise(function (resolve, reject) {
      function setBusy(on) {
        busy.hidden = !on;
        controls.forEach(function (c) { c.disabled = on; });
        form.setAttribute('aria-busy', String(on));
      }
      function finish(done, value) {
        form.removeEventListener('submit', onSubmit);
        dialog.removeEventListener('cancel', onCancel);
        byId('password-cancel').removeEventListener('click', onCancel);
        shown.removeEventListener('change', onShow);
        field.value = '';
        setBusy(false);
        dialog.close();
        done(value);
      }
      async function onSubmit(event) {
        event.preventDefault();
        var typed = field.value;
        if (!typed) {
          error.textContent = 'Type the disc\u2019s password first.';
          field.focus();
          return;
        }
        error.textContent = '';
        busyText.textContent = STAGES['deriving-key'];
        setBusy(true);
        await painted();
        try {
          await disc.unlock(typed, function (step) {
            if (STAGES[step.stage]) busyText.textContent = STAGES[step.stage];
          });
          finish(resolve, true);
        } catch (e) {
          if (!(e && e.code === 'wrong-password')) {
            finish(reject, e);
            return;
          }
          setBusy(false);
          error.textContent = messages.describe(e).text;
          field.value = '';
          field.focus();
        }
      }
      function onCancel(event) {
        event.preventDefault();
        if (form.getAttribute('aria-busy') === 'true') return;
        finish(resolve, false);
      }
      function onShow() {
        field.type = shown.checked ? 'text' : 'password';
      }
      form.addEventListener('submit', onSubmit);
      dialog.addEventListener('cancel', onCancel);
      byId('password-cancel').addEventListener('click', onCancel);
      shown.addEventListener('change', onShow);
      error.textContent = '';
      shown.checked = false;
      field.type = 'password';
      setBusy(false);
      dialog.showModal();
      field.focus();
    });
  }

  // Resolves true when the reader accepts the licence, false when not.
  function askLicence(text) {
    var dialog = byId('licence-dialog');
    var accept = byId('licence-accept');
    var decline = byId('licence-decline');
    byId('licence-text').textContent = text.replace(/\r\n/g, '\n');
    return new Promise(function (resolve) {
      function finish(value, event) {
        if (event) event.preventDefault();
        accept.removeEventListener('click', onAccept);
        decline.removeEventListener('click', onDecline);
        dialog.removeEventListener('cancel', onDecline);
        dialog.close();
        resolve(value);
      }
      function onAccept(event) { finish(true, event); }
      function onDecline(event) { finish(false, event); }
      accept.addEventListener('click', onAccept);
      decline.addEventListener('click', onDecline);
      dialog.addEventListener('cancel', onDecline);
      dialog.showModal();
      byId('licence-text').focus();
    });
  }

  Arcseal.startDialogs = { askPassword: askPassword, askLicence: askLicence };
})(globalThis);
