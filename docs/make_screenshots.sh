#!/usr/bin/env bash
# Takes the user guide's pictures from the real windows: runs, under Wine in the i686 tree, the test
# cases that show each window and save it (PNG, build/i686/screenshots), and copies them into
# docs/images under the guide's names. Build the trees first (scripts/build.sh). The Explorer
# picture (thumbnails.png) comes from the installed product: scripts/product-job.sh saves it as
# build/product/explorer-thumbnails.png, and this script takes it from there when it is present.
#   docs/make_screenshots.sh [BUILD_DIR]      default build/i686
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/i686}" && pwd)
shots=$build/screenshots

# program  gtest filter  saved name  name in the guide
cases=(
  "mounter_test.exe ConnectDialogTest.Screenshot connect connect"
  "mounter_test.exe SerialConfigTest.ListsPresentAndBusyPortsButNotMissingOnes serial serial"
  "mounter_test.exe AdvancedSettingsTest.MissingKeyShowsTheDefaultsAndCancelWritesNothing advanced advanced"
  "acquire_test.exe AcquireDialogTest.OpensModelessWithItsButtonsAndTexts acquire_dialog acquire_dialog"
  "acquire_test.exe CameraBrowserTest.TwoChosenPicturesAreRetrievedIntoTheDialog camera_chooser camera_chooser"
  "acquire_test.exe CameraBrowserTest.TwoChosenPicturesAreRetrievedIntoTheDialog acquire_dialog_camera_pictures acquire_pictures"
  "acquire_test.exe CameraBrowserTest.TwoChosenPicturesAreRetrievedIntoTheDialog picture_information picture_information"
  "acquire_test.exe DiskBrowserTest.ChosenFilesAreRetrievedAndTheUnreadableOneIsReported disk_chooser disk_chooser"
  "acquire_test.exe PreferencesTest.OkKeepsTheChoiceCancelDoesNotAndResetShowsTheDefaults preferences preferences"
  "views_test.exe SendToTest.TheSubmenuListsFolderAndProgramShortcutsByNameAndNothingElse sendto_submenu sendto"
  "views_test.exe OpenWithTest.TheChosenProgramOpensTheCopyAndNothingIsRegistered open_with open_with"
  "sheets_test.exe SettingsPageTest.ShowsTheCameraSettings camera_sheet_settings camera_settings"
  "sheets_test.exe CapturePageTest.TakePictureShowsTheNewPictureAndItsThumbnail camera_sheet_capture camera_capture"
  "sheets_test.exe InfoSheetsTest.MemoryCardSheetShowsTheCardsCounts memory_card_sheet memory_card_sheet"
  "sheets_test.exe InfoSheetsTest.PictureFileSheetShowsThePicturesFacts picture_file_sheet picture_sheet"
)

status=0
for c in "${cases[@]}"; do
  read -r program filter saved guide <<<"$c"
  rm -f "$shots/$saved.png"
  "$root/testing/wine/run.sh" "$build" "$build/bin/$program" --gtest_filter="$filter" >/dev/null 2>&1 || true
  if [ -s "$shots/$saved.png" ]; then
    cp "$shots/$saved.png" "$root/docs/images/$guide.png"
    echo "docs/images/$guide.png  ($program $filter)"
  else
    echo "NOT TAKEN: $guide ($program $filter saved no $saved.png)" >&2
    status=1
  fi
done
if [ -s "$root/build/product/explorer-thumbnails.png" ]; then
  cp "$root/build/product/explorer-thumbnails.png" "$root/docs/images/thumbnails.png"
  echo "docs/images/thumbnails.png  (scripts/product-job.sh)"
fi
exit $status
