// Under Node, the driver takes the bundled faces' folder from the environment.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  if (typeof process !== 'undefined' && process.env && process.env.QUORBEL_FONTS) {
    ENV.QUORBEL_FONTS = process.env.QUORBEL_FONTS;
  }
});
