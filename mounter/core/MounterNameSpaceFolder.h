// The common base of the camera, memory and album folders: the shell's folder interfaces (nested
// interface parts that pass every call to a virtual operation), the folder's identity, and the
// folder's own camera session with the operations through which the Mounter reaches the camera.
#pragma once

#include "CameraHandles.h"
#include "ComPtr.h"
#include "MounterItemId.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <memory>
#include <string>

class CSerialCamera;
class CAlbumNameTable;
class CCopyProgressDialog;

// Port diagnostics and status of a failed copy, as the copy operations hand them out.
struct CopyOutcome {
    DWORD status = 0;          // 0, 9 local file error, 19 cancelled, 20 nothing to copy, or a CameraResult
    DWORD portException = 0;   // failure location of the port
    DWORD lastError = 0;       // system error of the port, or of the local file for status 9
    COMSTAT portStatus = {};   // 12 bytes
    DWORD portErrors = 0;
};

// How folders open the camera: the camera library's OpenCamera, unless a test puts a camera double
// in its place (null gives OpenCamera back).
using CameraOpenFunction = CSerialCamera* (*)(DWORD port, DWORD speed, DWORD readStatus,
                                              OpenProgressCallback progress, ULONG_PTR user);
void SetCameraOpener(CameraOpenFunction open);

// The type text of an item (the Type column): fixed texts for the camera's own items, the shell's
// type name for files.
std::string ItemTypeText(LPCITEMIDLIST pidl);

class CMounterNameSpaceFolder {
public:
    // COM identity
    HRESULT QueryInterface(REFIID iid, void** out);
    ULONG AddRef();
    ULONG Release();
    IShellFolder* ShellFolder() { return &m_xShellFolder; }
    IUnknown* Unknown() { return reinterpret_cast<IUnknown*>(&m_xShellFolder); }

    // The shell operations, in this order; the nested interface parts call them.
    virtual HRESULT QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) = 0;
    virtual HRESULT InvokeCommand(CMINVOKECOMMANDINFO* info) = 0;
    virtual HRESULT GetCommandString(UINT_PTR command, UINT type, UINT* reserved, LPSTR name, UINT size);
    virtual HRESULT ShellExtInitialize(LPCITEMIDLIST folder, IDataObject* data, HKEY key);
    virtual HRESULT GetIconLocation(UINT flags, LPSTR file, UINT size, int* index, UINT* outFlags) = 0;
    virtual HRESULT Extract(LPCSTR file, UINT index, HICON* large, HICON* small, UINT sizes);
    HRESULT GetClassID(CLSID* clsid);
    virtual HRESULT PersistInitialize(LPCITEMIDLIST pidl);
    virtual HRESULT ParseDisplayName(HWND owner, LPBC context, LPOLESTR name, ULONG* eaten,
                                     LPITEMIDLIST* pidl, ULONG* attributes);
    virtual HRESULT EnumObjects(HWND owner, SHCONTF flags, IEnumIDList** out) = 0;
    virtual HRESULT BindToObject(LPCITEMIDLIST pidl, LPBC context, REFIID iid, void** out) = 0;
    virtual HRESULT BindToStorage(LPCITEMIDLIST pidl, LPBC context, REFIID iid, void** out);
    virtual HRESULT CompareIDs(LPARAM column, LPCITEMIDLIST a, LPCITEMIDLIST b);
    virtual HRESULT CreateViewObject(HWND owner, REFIID iid, void** out);
    virtual HRESULT GetAttributesOf(UINT count, LPCITEMIDLIST* items, SFGAOF* inOut) = 0;
    virtual HRESULT GetUIObjectOf(HWND owner, UINT count, LPCITEMIDLIST* items, REFIID iid,
                                  UINT* reserved, void** out) = 0;
    virtual HRESULT GetDisplayNameOf(LPCITEMIDLIST pidl, SHGDNF flags, STRRET* name);
    virtual HRESULT SetNameOf(HWND owner, LPCITEMIDLIST pidl, LPCOLESTR name, SHGDNF flags,
                              LPITEMIDLIST* out);

    // Identity of the folder
    LPCITEMIDLIST IdList() const { return m_idList.get(); }
    LONG FolderKind() const { return m_folderKind; }
    const std::string& CameraPath() const { return m_cameraPath; }
    bool InFileDialog() const { return m_inFileDialog; }
    void SetInFileDialog(bool value) { m_inFileDialog = value; }

    // The camera session
    bool IsSessionOpen();
    int IsCardPresent(BOOL refresh);
    DWORD GetCameraModelCode();
    int ConnectCamera(DWORD statusFlag, HWND parent);
    int CloseCamera();
    int ReconnectCamera(HWND parent);
    int RefreshCameraStatus();
    int GetConnectedFlag(BOOL refresh);
    CSerialCamera* Session() { return m_session.get(); }
    DWORD Port() const { return m_port; }
    DWORD Speed() const { return m_speed; }
    static void ReadConnectionSettings(DWORD* port, DWORD* speed);
    DWORD WriteCommPort(DWORD port);
    DWORD WriteSpeed(DWORD speed);

    // Camera operations
    DWORD ListCameraFiles(BYTE** list);
    int CopyPictureToDisk(LPCITEMIDLIST item, const char* destination, CopyOutcome* outcome,
                          CCopyProgressDialog* progress);
    int CopyAlbumToDisk(LPCITEMIDLIST item, const char* destination, CopyOutcome* outcome,
                        CCopyProgressDialog* progress);
    void CountAlbumPictures(std::string* text, LPCITEMIDLIST album, LPCITEMIDLIST memory);
    void GetPictureQualityText(std::string* text, LPCITEMIDLIST picture);
    void GetPictureResolutionText(std::string* text, LPCITEMIDLIST picture);
    LONG GetPictureInfoAt(DWORD number, std::string* name);
    int GetThumbnailByName(const char* path, BYTE** buffer);
    int GetThumbnailByIndex(DWORD number, BYTE** buffer);
    int DeleteCameraFile(const char* path);
    int DeleteAllPictures(DWORD selector);
    DWORD FormatMemoryCard();
    int TakeCameraPicture();
    int SetCameraQuality(DWORD value);
    int SetCameraResolution(DWORD value);
    int SetCameraZoom(DWORD value);
    int SetCameraFlash(DWORD value);
    int SetCameraSelfTimer(DWORD value);
    int SetCameraExposure(DWORD value);
    int SetCameraFileFormat(DWORD value);
    int SetCameraClock(DWORD count);

    // Album titles of the last connect (null on cameras without album files).
    const CAlbumNameTable* AlbumNames() const { return m_albumNames.get(); }
    // The name an album directory of this folder takes on the local disk: its title from the album
    // file when that is a usable file name, else the directory's own name made usable.
    std::string LocalAlbumName(const std::string& directory) const;
    // The camera path of an item of this folder: the folder's camera directory, "\" and its name.
    std::string CameraPathOf(LPCITEMIDLIST item) const;

    // The sheet of a picture item of this folder, after one try at the camera.
    void ShowPictureProperties(HWND owner, LPCITEMIDLIST picture);

    // Set before a property sheet opens: 1 when the camera answered.
    int m_memorySheetAnswered = 0;
    int m_albumSheetAnswered = 0;
    int m_pictureSheetAnswered = 0;

protected:
    explicit CMounterNameSpaceFolder(const CLSID& clsid);
    virtual ~CMounterNameSpaceFolder();

    // Makes a child folder object of the given class for this folder's list followed by pidl.
    HRESULT CreateChild(REFCLSID clsid, LPCITEMIDLIST pidl, REFIID iid, void** out);
    // BindToObject through a child of the given class: the child is made for the first item of pidl
    // and binds to the rest of it, if any.
    HRESULT BindThroughChild(REFCLSID clsid, LPCITEMIDLIST pidl, REFIID iid, void** out);
    // The same, with the child's shell-extension state initialised with the item (context menus).
    HRESULT CreateChildForMenu(REFCLSID clsid, LPCITEMIDLIST item, REFIID iid, void** out);
    // The common checks of GetUIObjectOf: an out pointer (cleared) and exactly one item.
    static HRESULT CheckUIObjectArguments(UINT count, LPCITEMIDLIST* items, void** out);
    // The camera's status refresh or connect before a sheet: 1 when the camera answered.
    int TryCameraOnce();
    // Inserts at index the entries of the first submenu of a menu resource (only the entry of
    // onlyCommand when that is not 0), command ids counted from firstId while below lastId. Answers
    // as QueryContextMenu does: success with the number of entries of the submenu (of the one entry
    // with onlyCommand).
    HRESULT InsertMenuEntries(UINT menuResource, UINT onlyCommand, HMENU menu, UINT index, UINT firstId,
                              UINT lastId);
    LPCITEMIDLIST ExtensionIdList() const { return m_extIdList.get(); }
    // The icon of the given index in pvmount.DLL beside the registered default icon; S_FALSE for flags
    // 0 and above 3, or without the registry value.
    static HRESULT IconLocation(int iconIndex, UINT flags, LPSTR file, UINT size, int* index, UINT* outFlags);

private:
    // An interface part: its IUnknown is the folder object's.
    template <typename Interface>
    class XPart : public Interface {
    public:
        CMounterNameSpaceFolder* m_pThis;
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return m_pThis->QueryInterface(iid, out); }
        STDMETHODIMP_(ULONG) AddRef() override { return m_pThis->AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return m_pThis->Release(); }
    };
    class XPersistFolder : public XPart<IPersistFolder2> {
    public:
        STDMETHODIMP GetClassID(CLSID* clsid) override;
        STDMETHODIMP Initialize(LPCITEMIDLIST pidl) override;
        STDMETHODIMP GetCurFolder(LPITEMIDLIST* pidl) override;
    };
    class XShellFolder : public XPart<IShellFolder> {
    public:
        STDMETHODIMP ParseDisplayName(HWND owner, LPBC context, LPOLESTR name, ULONG* eaten,
                                      LPITEMIDLIST* pidl, ULONG* attributes) override;
        STDMETHODIMP EnumObjects(HWND owner, SHCONTF flags, IEnumIDList** out) override;
        STDMETHODIMP BindToObject(LPCITEMIDLIST pidl, LPBC context, REFIID iid, void** out) override;
        STDMETHODIMP BindToStorage(LPCITEMIDLIST pidl, LPBC context, REFIID iid, void** out) override;
        STDMETHODIMP CompareIDs(LPARAM column, LPCITEMIDLIST a, LPCITEMIDLIST b) override;
        STDMETHODIMP CreateViewObject(HWND owner, REFIID iid, void** out) override;
        STDMETHODIMP GetAttributesOf(UINT count, LPCITEMIDLIST* items, SFGAOF* inOut) override;
        STDMETHODIMP GetUIObjectOf(HWND owner, UINT count, LPCITEMIDLIST* items, REFIID iid,
                                   UINT* reserved, void** out) override;
        STDMETHODIMP GetDisplayNameOf(LPCITEMIDLIST pidl, SHGDNF flags, STRRET* name) override;
        STDMETHODIMP SetNameOf(HWND owner, LPCITEMIDLIST pidl, LPCOLESTR name, SHGDNF flags,
                               LPITEMIDLIST* out) override;
    };
    class XContextMenu : public XPart<IContextMenu> {
    public:
        STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId,
                                      UINT flags) override;
        STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
        STDMETHODIMP GetCommandString(UINT_PTR command, UINT type, UINT* reserved, LPSTR name,
                                      UINT size) override;
    };
    class XShellExtInit : public XPart<IShellExtInit> {
    public:
        STDMETHODIMP Initialize(LPCITEMIDLIST folder, IDataObject* data, HKEY key) override;
    };
    class XExtractIconA : public XPart<IExtractIconA> {
    public:
        STDMETHODIMP GetIconLocation(UINT flags, LPSTR file, UINT size, int* index,
                                     UINT* outFlags) override;
        STDMETHODIMP Extract(LPCSTR file, UINT index, HICON* large, HICON* small, UINT sizes) override;
    };

    // Names and comparison
    HRESULT NormalName(LPCITEMIDLIST pidl, STRRET* name);
    HRESULT ParsingName(LPCITEMIDLIST pidl, STRRET* name);
    std::string AlbumDisplayName(LPCITEMIDLIST pidl);
    int CompareLevel(LPARAM column, LPCITEMIDLIST a, LPCITEMIDLIST b, int previous);

    // Shared pieces of the camera operations
    void LoadAlbumNames();
    void ReadAlbumFile(const std::string& path, int memory);
    bool OpenFileAccess(CopyOutcome* outcome);
    DWORD CloseFileAccess();
    // Clears the outcome and opens the file access of a copy of item out of a memory folder; false
    // when the copy cannot start (status 20: nothing to copy here).
    bool StartCopy(LPCITEMIDLIST item, CopyOutcome* outcome);
    int FinishCopy(CopyOutcome* outcome, int result);
    void FetchDiagnostics(CopyOutcome* outcome);
    // A failed camera call of a copy: its result as the status, with the port's diagnostics.
    void RecordCameraFailure(CopyOutcome* outcome, DWORD result);
    bool StoreLocalFile(const std::string& path, const BYTE* data, DWORD size, CopyOutcome* outcome);
    // Copies one file of an album; its status, 0 when copied.
    DWORD CopyAlbumFile(const std::string& albumPath, const std::string& localDirectory, const BYTE* entry,
                        CopyOutcome* outcome, CCopyProgressDialog* progress);
    bool EnterPictureInfoAccess(bool refresh, bool* bracketed);
    bool ReadPictureInfoRecord(LPCITEMIDLIST picture, BYTE* record);
    int CheckedCommand(DWORD result) const { return result == 0 ? 1 : 0; }
    // One setting command of the camera library: 1 when the camera took the value, 0 without a
    // session or on a failure.
    using CameraSetter = DWORD (*)(CSerialCamera* camera, DWORD value);
    int SetCameraValue(CameraSetter setter, DWORD value);

    LONG m_refs = 1;
    bool m_oleInitialized = false;
    XPersistFolder m_xPersistFolder;
    XShellFolder m_xShellFolder;
    XContextMenu m_xContextMenu;
    XShellExtInit m_xShellExtInit;
    XExtractIconA m_xExtractIconA;

    // identity
    const CLSID m_clsid;
    itemid::OwnedList m_idList;
    LONG m_folderKind = -1;
    std::string m_cameraPath;
    bool m_inFileDialog = false;

    // shell-extension state
    itemid::OwnedList m_extIdList;
    pv::ComPtr<IDataObject> m_extData;
    int m_extInitialized = 0;
    HKEY m_extKey = nullptr;

    // camera session
    mounter::CameraObject m_session;
    int m_connected = 0;
    DWORD m_speed = 57600;
    DWORD m_port = 0;
    std::unique_ptr<CAlbumNameTable> m_albumNames;
};
