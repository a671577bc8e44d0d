// The main window's view: the menu bar, the tool bar pnlMain, the curve list, the parameter panel,
// the notes and the picture, every element bound to its model in TfrmMain and placed where the
// core's layout (app/Layout) says for the page's size: the desktop window where it fits, else the
// narrow column of the same elements (the picture first, the curve list in a drawer). F1 asks for the help of the control under
// the focus; Alt and a menu's letter opens the menu; F11 shows the picture large, also from the
// STEP dialog (the program decides when it may).
import { BindButton, BindCombo, BindEdit, BindLabel, BindList, BindMenuCheck, BindProgress, BindTimer, CaptionText, MakeCheck,
         MakeSpin } from 'quorbel/Bindings.js';
import { FingerCursor, PencilCursor, ToolGlyph } from 'quorbel/Artwork.js';

const Form = 'frmMain';

// Containers without a model of their own, with their captions.
const GroupCaptions = { grpWidth: '', grpHeniki: '変域', grpRepeat: '反復表示' };

// The keys of menu items, shown beside them.
const ItemKeys = { mnuShowLarge: 'F11', mnuFormula: 'F6', mnuProperties: 'F7' };

// The page's own menu items, beside the program's: files in and out of the browser.
const PageItems = {
  'page:import': '曲線ファイルを取り込む(&I)…',
  'page:export': '選んだ自作の曲線を書き出す(&E)',
  'page:exportAll': '自作の曲線をすべて書き出す(&Z)',
};
// Where they go: after the program's item named.
const PageItemsAfter = { mnuOpenFile: ['page:import'], mnuSave: ['page:export', 'page:exportAll'] };

export class MainWindow {
  constructor(binder, root, pageActions) {
    this.binder = binder;
    this.root = root;
    this.pageActions = pageActions;  // page:… item → function
    this.elements = new Map();
    this.menubar = document.createElement('div');
    this.menubar.className = 'menubar';
    this.menubar.setAttribute('role', 'menubar');
    this.client = document.createElement('div');
    this.client.className = 'client';
    this.client.id = 'frmMain';
    root.replaceChildren(this.menubar, this.client);
    this.narrow = false;
    this.rows = null;
    this.BuildDrawer();
    this.BuildMenus();
    this.BuildPanels();
    BindTimer(binder, Form, 'tmrAnime');
    document.addEventListener('keydown', (event) => this.KeyDown(event));
    document.addEventListener('pointerdown', (event) => {
      if (!event.target.closest('.menu')) this.CloseMenus();
    });
    // The on-screen keyboard never hides the field being typed.
    window.visualViewport?.addEventListener('resize', () => {
      const field = document.activeElement;
      if (field && this.root.contains(field) && field.matches('input, select')) field.scrollIntoView({ block: 'nearest' });
    });
  }

  // ---- Menus, as the core's layout has them, with the page's own items among them.
  BuildMenus() {
    const layout = this.binder.module.MainWindowLayout(1024, 768);
    for (const { title, items: programItems } of layout.menus) {
      const items = programItems.flatMap((item) => [item === '-' ? null : item, ...(PageItemsAfter[item] || [])]);
      const menu = document.createElement('div');
      menu.className = 'menu';
      const button = document.createElement('button');
      button.id = title;
      button.setAttribute('role', 'menuitem');
      this.binder.Bind(Form, title, (state) => {
        button.textContent = CaptionText(state.caption);
        button.dataset.key = (state.caption.match(/&(.)/) || [])[1]?.toLowerCase() || '';
        button.disabled = !state.enabled;
        menu.hidden = !state.visible;
      });
      const list = document.createElement('div');
      list.className = 'menu-items';
      list.setAttribute('role', 'menu');
      for (const item of items) {
        if (item === null) {
          list.append(document.createElement('hr'));
          continue;
        }
        const entry = document.createElement('button');
        entry.id = item.replace(':', '-');
        entry.setAttribute('role', 'menuitem');
        if (item.startsWith('page:')) {
          entry.textContent = CaptionText(PageItems[item]);
          entry.addEventListener('click', () => this.pageActions[item]());
        } else if (this.binder.State(Form, item)?.kind === 'check') {
          BindMenuCheck(this.binder, Form, item, entry);
        } else {
          BindButton(this.binder, Form, item, entry);
        }
        if (ItemKeys[item]) entry.dataset.shortcut = ItemKeys[item];
        entry.addEventListener('click', () => this.CloseMenus());
        list.append(entry);
      }
      button.addEventListener('click', () => {
        const open = !menu.classList.contains('open');
        this.CloseMenus();
        if (!open) return;
        menu.classList.add('open');
        // Opening the menu is its title's click: the program updates the items then.
        this.binder.Post(Form, title, 'click');
      });
      menu.append(button, list);
      this.menubar.append(menu);
    }
  }

  // On narrow screens the curve list is a drawer that a button of the menu bar opens; choosing a
  // curve, or a tap beside the drawer, closes it.
  BuildDrawer() {
    const button = document.createElement('button');
    button.id = 'page-drawer';
    button.className = 'drawer-button';
    button.textContent = '曲線一覧';
    button.setAttribute('aria-controls', 'lstShiki');
    button.addEventListener('click', () => {
      this.CloseMenus();
      document.documentElement.classList.toggle('drawer-open');
    });
    this.menubar.append(button);
    this.scrim = document.createElement('div');
    this.scrim.className = 'drawer-scrim';
    this.scrim.addEventListener('click', () => this.CloseDrawer());
    this.client.append(this.scrim);
  }

  CloseDrawer() { document.documentElement.classList.remove('drawer-open'); }

  CloseMenus() {
    for (const menu of this.menubar.querySelectorAll('.menu.open')) menu.classList.remove('open');
  }

  // ---- The client area.
  BuildPanels() {
    const toolBar = this.Element('pnlMain', document.createElement('div'));
    toolBar.className = 'panel raised';
    const shiki = this.Element('lstShiki', BindList(this.binder, Form, 'lstShiki', document.createElement('div')));
    shiki.classList.add('list', 'panel');
    shiki.addEventListener('click', (event) => {
      if (this.narrow && event.target.closest('[data-row]')) this.CloseDrawer();
    });
    shiki.style.cursor = FingerCursor;
    const param = this.Element('grpParam', document.createElement('fieldset'));
    param.className = 'panel';
    this.binder.Bind(Form, 'grpParam', (state) => { param.disabled = !state.enabled; });
    const comment = this.Element('lstComment', BindList(this.binder, Form, 'lstComment', document.createElement('div')));
    comment.classList.add('list', 'panel');
    comment.tabIndex = -1;
    const picture = this.Element('imgCood', document.createElement('canvas'));
    picture.className = 'picture';
    picture.style.cursor = PencilCursor;
    this.binder.BindPicture(Form, 'imgCood', picture);
    this.client.append(toolBar, shiki, param, comment, picture);

    const layout = this.binder.module.MainWindowLayout(1024, 768);
    const containers = { pnlMain: toolBar, grpParam: param };
    for (const place of layout.places) {
      const element = this.MakeControl(place);
      containers[place.container].append(element);
      if (place.name.startsWith('grp')) containers[place.name] = element;
    }
  }

  Element(name, element) {
    element.id = name;
    this.elements.set(name, element);
    return element;
  }

  MakeControl(place) {
    const name = place.name;
    const state = this.binder.State(Form, name);
    const repeatLabel = place.container === 'grpRepeat';
    let element;
    if (name in GroupCaptions) {
      element = document.createElement('fieldset');
      element.className = 'panel';
      if (GroupCaptions[name]) {
        const legend = document.createElement('legend');
        legend.textContent = GroupCaptions[name];
        element.append(legend);
      }
    } else if (name === 'imgSample1' || name === 'imgSample2') {
      element = document.createElement('canvas');
      element.className = 'picture';
      this.binder.BindPicture(Form, name, element);
    } else if (state && state.kind === 'button' && name.startsWith('spd')) {
      element = BindButton(this.binder, Form, name, document.createElement('button'));
      element.classList.add('tool');
      element.innerHTML = ToolGlyph(name);
      element.setAttribute('aria-label', state.hint);
    } else if (state && state.kind === 'button') {
      element = BindButton(this.binder, Form, name, document.createElement('button'));
    } else if (state && state.kind === 'spin') {
      element = MakeSpin(this.binder, Form, name);
    } else if (state && (state.kind === 'check' || state.kind === 'radio')) {
      element = MakeCheck(this.binder, Form, name, state.kind === 'radio');
      if (repeatLabel) element.style.fontSize = '13px';
    } else if (state && state.kind === 'combo') {
      element = BindCombo(this.binder, Form, name, document.createElement('select'));
    } else if (state && state.kind === 'edit') {
      element = BindEdit(this.binder, Form, name, document.createElement('input'));
    } else if (state && state.kind === 'progress') {
      element = BindProgress(this.binder, Form, name, document.createElement('progress'));
    } else if (state && state.kind === 'label') {
      element = BindLabel(this.binder, Form, name, document.createElement('span'));
      element.style.fontSize = '16px';
    } else {
      // A label without a model: its caption is its name after "lbl".
      element = document.createElement('span');
      element.textContent = name.slice(3);
      if (name === 'lbla' || name === 'lblb' || name === 'lblc') {
        element.style.fontSize = '16px';
        if (name === 'lblc') element.style.fontWeight = 'bold';
      } else if (repeatLabel) {
        element.style.fontSize = '13px';
      }
    }
    element.classList.add('control');
    if (!element.id) element.id = name;
    const box = place.box;
    element.style.left = box.left + 'px';
    element.style.top = box.top + 'px';
    if (box.width > 0) element.style.width = box.width + 'px';
    if (box.height > 0) element.style.height = box.height + 'px';
    this.elements.set(name, element);
    return element;
  }

  // Places the window's parts for a page of the given size: the desktop window where it fits,
  // else the narrow column; tells the program where grpParam lies.
  ApplyLayout(width, height) {
    const layout = this.binder.module.MainWindowLayout(width, height);
    const wasNarrow = this.narrow;
    this.narrow = layout.narrow;
    document.documentElement.classList.toggle('narrow', layout.narrow);
    if (layout.narrow) this.ApplyNarrowLayout(layout);
    else this.ApplyDesktopLayout(layout, wasNarrow);
    // The main picture is drawn at the size it is shown at.
    this.binder.Repaint(Form, 'imgCood');
  }

  // The narrow column: the same elements, moved into the rows of the core's table; the picture
  // at the width the table gives; the curve list in a drawer. CSS flows the rows.
  ApplyNarrowLayout(layout) {
    const column = layout.column;
    if (!this.rows) {
      this.rows = [];
      for (const row of column.rows) {
        const element = document.createElement('div');
        element.className = 'narrow-row';
        element.append(...row.names.map((name) => this.elements.get(name)));
        this.elements.get(row.container).append(element);
        this.rows.push(element);
      }
    }
    for (const name of ['pnlMain', 'lstShiki', 'grpParam', 'lstComment', 'imgCood']) {
      Object.assign(this.elements.get(name).style, { left: '', top: '', width: '', height: '' });
    }
    this.elements.get('imgCood').style.marginLeft = column.picture.left + 'px';
    this.client.style.width = '';
    this.client.style.height = '';
    const client = this.client.getBoundingClientRect(), param = this.elements.get('grpParam').getBoundingClientRect();
    this.binder.Post('', '', 'layout', Math.round(param.left - client.left) + ',' + Math.round(param.top - client.top));
  }

  ApplyDesktopLayout(layout, wasNarrow) {
    if (wasNarrow && this.rows) {
      // Back to the containers the desktop places them in, in the desktop's order.
      for (const place of layout.places) this.elements.get(place.container).append(this.elements.get(place.name));
      for (const row of this.rows) row.remove();
      this.rows = null;
      this.elements.get('imgCood').style.marginLeft = '';
      this.CloseDrawer();
    }
    const place = (name, box) => {
      const element = this.elements.get(name);
      Object.assign(element.style, { left: box.left + 'px', top: box.top + 'px', width: box.width + 'px', height: box.height + 'px' });
    };
    place('pnlMain', { left: 0, top: 0, width: layout.window.width, height: layout.toolBarHeight });
    place('imgCood', layout.picture);
    place('lstShiki', layout.lstShiki);
    place('grpParam', layout.grpParam);
    place('lstComment', layout.lstComment);
    this.client.style.width = layout.window.width + 'px';
    this.client.style.height = Math.max(layout.lstComment.top + layout.lstComment.height,
                                        layout.picture.top + layout.picture.height) + 8 + 'px';
    this.binder.Post('', '', 'layout', layout.grpParam.left + ',' + layout.grpParam.top);
  }

  // ---- Keys.
  KeyDown(event) {
    if (event.key === 'F11') {
      event.preventDefault();  // the browser's own full screen would show the whole page
      if (!document.querySelector('.dialog:not(.help):not(.properties):not([data-form="frmStep"])')) {
        this.CloseMenus();
        this.binder.Post(Form, 'mnuShowLarge', 'click');
      }
      return;
    }
    if (document.querySelector('.dialog:not(.help):not(.properties), .large-view')) return;
    const item = Object.keys(ItemKeys).find((name) => ItemKeys[name] === event.key && name !== 'mnuShowLarge');
    if (item) {
      event.preventDefault();
      this.CloseMenus();
      this.binder.Post(Form, item, 'click');
      return;
    }
    if (event.key === 'F1') {
      event.preventDefault();
      const holder = document.activeElement?.closest('[data-help-context]:not([data-help-context="0"])');
      const context = holder ? holder.dataset.helpContext : '100';
      this.binder.Post('', '', 'help', context);
      return;
    }
    if (event.altKey && event.key.length === 1) {
      const button = [...this.menubar.querySelectorAll('.menu > button')].find((b) => b.dataset.key === event.key.toLowerCase());
      if (button) {
        event.preventDefault();
        button.click();
        button.parentElement.querySelector('.menu-items button:not(:disabled)')?.focus();
      }
    }
    if (event.key === 'Escape') this.CloseMenus();
  }
}
