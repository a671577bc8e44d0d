// The page's start: the assets and the user's stored curves are read, the program's files are laid
// out in its memory file system (/quorbel with the shipped collections read-only, the help file
// and UsCurves; /fonts with the faces), the WebAssembly program is created and started, and the
// window is built and laid out.
import { Binder } from 'quorbel/Bindings.js';
import { Program } from 'quorbel/Program.js';
import { LoadAssets } from 'quorbel/Assets.js';
import { UserStorage, FolderFiles } from 'quorbel/Storage.js';
import { WebPlatform } from 'quorbel/WebPlatform.js';
import { MainWindow } from 'quorbel/MainWindow.js';
import { StepDialog } from 'quorbel/StepDialog.js';
import { NickNameDialog } from 'quorbel/NickNameDialog.js';
import { EditDialog } from 'quorbel/EditDialog.js';
import { VersionDialog } from 'quorbel/VersionDialog.js';
import { PrintPreviewDialog } from 'quorbel/PrintPreviewDialog.js';
import { HelpWindow } from 'quorbel/HelpWindow.js';
import { ShowMessage } from 'quorbel/MessageBox.js';
import { LargeView } from 'quorbel/LargeView.js';
import { PropertiesWindow } from 'quorbel/PropertiesWindow.js';
import { FormulaDialog } from 'quorbel/FormulaDialog.js';
import { AcceptDroppedFiles, ChooseFilesToImport, Download, DownloadFolder, DownloadFolderFiles, MakeZip, UserFolder } from 'quorbel/Files.js';

const WorkingFolder = '/quorbel';

function LayOutFiles(fs, assets, userFiles) {
  fs.mkdirTree(WorkingFolder + '/UsCurves');
  fs.mkdirTree(DownloadFolder);
  fs.mkdirTree('/fonts');
  for (const [path, bytes] of assets) {
    if (path.startsWith('data/')) {
      const target = WorkingFolder + '/' + path.slice(5);
      fs.mkdirTree(target.slice(0, target.lastIndexOf('/')));
      fs.writeFile(target, bytes);
    } else if (path.startsWith('fonts/') && !path.endsWith('.txt')) {
      fs.writeFile('/' + path, bytes);
    }
  }
  for (const [name, bytes] of userFiles) fs.writeFile(WorkingFolder + '/UsCurves/' + name, bytes);
  // The shipped collections are read-only; only the user's folder takes new files.
  const readOnly = (path) => {
    const node = fs.stat(path);
    if (fs.isDir(node.mode)) for (const name of fs.readdir(path)) if (name !== '.' && name !== '..') readOnly(path + '/' + name);
    fs.chmod(path, fs.isDir(node.mode) ? 0o555 : 0o444);
  };
  for (const name of ['Curves20.crx', 'BtCurves']) {
    try { readOnly(WorkingFolder + '/' + name); } catch { /* not shipped: the program says so */ }
  }
}

async function Start() {
  const app = document.getElementById('app');
  const [assets, storage] = await Promise.all([LoadAssets(), UserStorage.Open()]);
  const userFiles = await storage.Load();
  storage.Remember(userFiles);
  // The window's texts use the faces the program draws with.
  for (const [family, file] of [['IPAPGothic', 'fonts/ipagp.ttf'], ['IPAGothic', 'fonts/ipag.ttf']]) {
    const face = new FontFace(family, assets.get(file));
    document.fonts.add(face);
    face.load().catch(() => {});
  }

  const binder = new Binder();
  const platform = new WebPlatform(binder, app);
  const module = await CreateQuorbel({
    noInitialRun: true,
    wasmBinary: assets.get('quorbel.wasm'),
    quorbelView: binder,
    quorbelPlatform: platform,
    // The user's folder is kept in the browser's storage; what is written into the download
    // folder goes to the user as downloads.
    quorbelPersistFolder: async (folder) => {
      const fs = module.FS;
      const node = fs.lookupPath(folder).node;
      if (node === fs.lookupPath(DownloadFolder).node) {
        DownloadFolderFiles(fs, DownloadFolder);
        return true;
      }
      if (node !== fs.lookupPath(UserFolder).node) return true;
      const stored = await storage.Store(FolderFiles(fs, UserFolder));
      if (stored) await storage.TakeOthersChanges(fs, UserFolder);
      else storage.Revert(fs, UserFolder);
      return stored;
    },
    preRun: [(m) => LayOutFiles(m.FS, assets, userFiles)],
    // What no handler can catch (memory exhausted, a trap) ends the program.
    onAbort: () => {
      ShowMessage('不明なエラー\nページを読み込み直してください。');
    },
  });
  const program = new Program(module);
  binder.Attach(program);
  const fs = module.FS;
  // Curves another tab saved appear in this tab's next listing of あなたの曲線.
  const takeOthersChanges = () => storage.TakeOthersChanges(fs, UserFolder);
  storage.OnOthersChange(takeOthersChanges);
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'visible') takeOthersChanges();
  });
  // The program registers its forms and runs its start sequence, then waits for the user; the
  // window built after it shows the models as they are by then.
  module.callMain([]);

  const exportCurve = () => {
    const path = program.CurrentUserCurveFile();
    if (!path) return platform.ShowMessage('書き出す自作の曲線を「あなたの曲線」から選んでください');
    Download(path.slice(path.lastIndexOf('/') + 1), fs.readFile(path), 'application/octet-stream');
  };
  const exportAll = () => {
    const files = FolderFiles(fs, UserFolder);
    if (files.length === 0) return platform.ShowMessage('保存された自作の曲線がありません');
    Download('UsCurves.zip', MakeZip(files), 'application/zip');
  };
  const window_ = new MainWindow(binder, app, {
    'page:import': () => ChooseFilesToImport(fs, binder),
    'page:export': exportCurve,
    'page:exportAll': exportAll,
  });
  platform.help = new HelpWindow((file) => {
    try { return fs.readFile(file, { encoding: 'utf8' }); } catch { return null; }
  });
  platform.RegisterView('frmStep', new StepDialog(binder, window_.client));
  platform.RegisterView('frmNickName', new NickNameDialog(binder));
  platform.RegisterView('frmEdit', new EditDialog(binder));
  platform.RegisterView('frmVersion', new VersionDialog(binder));
  platform.RegisterView('frmPrint', new PrintPreviewDialog(binder));
  platform.RegisterView('frmFormula', new FormulaDialog(binder));
  platform.large = new LargeView(binder);
  platform.properties = new PropertiesWindow(binder);
  AcceptDroppedFiles(document.body, fs, binder);
  document.addEventListener('paste', async (event) => {
    const item = [...(event.clipboardData?.items || [])].find((i) => i.type.startsWith('image/'));
    if (!item) return;
    event.preventDefault();
    await platform.TakePastedImage(item.getAsFile());
    binder.Post('frmMain', 'mnuPaste', 'click');
  });

  window_.ApplyLayout(window.innerWidth, window.innerHeight);
  let resizeTimer = 0;
  window.addEventListener('resize', () => {
    clearTimeout(resizeTimer);
    resizeTimer = setTimeout(() => window_.ApplyLayout(window.innerWidth, window.innerHeight), 100);
  });
  // The window moved to a screen of another density, or the page was zoomed: the pictures are
  // drawn again at the new ratio.
  let ratio = window.devicePixelRatio;
  const RatioChanged = () => {
    if (window.devicePixelRatio === ratio) return;
    ratio = window.devicePixelRatio;
    binder.RepaintAll();
    matchMedia(`(resolution: ${ratio}dppx)`).addEventListener('change', RatioChanged, { once: true });
  };
  matchMedia(`(resolution: ${ratio}dppx)`).addEventListener('change', RatioChanged, { once: true });
  window.addEventListener('resize', RatioChanged);
  binder.PaintNow();
  app.classList.remove('starting');
  if (!storage.Persistent) {
    platform.ShowMessage('このブラウザーでは、曲線をこのページに保存しておけません。\n' +
                         '「あなたの曲線」に保存した曲線は、このページを閉じるまでのあいだだけ残ります。');
  }
  globalThis.quorbel = { module, program, binder, platform, window: window_, storage };
}

// Served by a web server (a school's, over HTTPS), the page can be added to the home screen and
// opens with no network: its web app manifest, its icon and its service worker. The single file
// carries everything in itself and registers none of them.
function MakeInstallable() {
  if (globalThis.QuorbelAssets || !globalThis.isSecureContext || !navigator.serviceWorker) return;
  if (!['http:', 'https:'].includes(location.protocol)) return;
  for (const [rel, href] of [['manifest', 'quorbel.webmanifest'], ['apple-touch-icon', 'icon-192.png']]) {
    const link = document.createElement('link');
    link.rel = rel;
    link.href = href;
    document.head.append(link);
  }
  navigator.serviceWorker.register('ServiceWorker.js').catch(() => { /* the page works without it */ });
}

MakeInstallable();
Start().catch((error) => {
  document.getElementById('app').classList.remove('starting');
  ShowMessage('Quorbel を開始できません：' + error.message);
});
