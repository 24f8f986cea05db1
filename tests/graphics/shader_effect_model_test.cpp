// Shaders, effects and models: their folders and extensions, the effects' part in a device
// reset, the empty registries of this game going through a reset unchanged, and the order in
// which each kind releases what it owns.
#include <string>
#include <vector>

#include "graphics/CEffect.h"
#include "graphics/CModel.h"
#include "graphics/CShader.h"
#include "graphics/DeviceResources.h"
#include "graphics/GraphicsTest.h"

namespace {

std::vector<std::string> events;

// Stand-ins for the interfaces nothing in the layer makes: each notes its calls by name.
template <typename Interface>
class Recorder : public Interface {
  public:
    explicit Recorder(std::string name) : name(std::move(name)) {}
    ULONG AddRef() override { return ++references; }
    ULONG Release() override {
        events.push_back(name + ".Release");
        ULONG left = --references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

  protected:
    virtual ~Recorder() = default;
    std::string name;
    ULONG references = 1;
};

class RecordingEffect final : public Recorder<ID3DXEffect> {
  public:
    using Recorder::Recorder;
    HRESULT OnLostDevice() override {
        events.push_back(name + ".OnLostDevice");
        return S_OK;
    }
    HRESULT OnResetDevice() override {
        events.push_back(name + ".OnResetDevice");
        return S_OK;
    }
};

using Strings = std::vector<std::string>;

class ResourceKindsTest : public GraphicsTest {
  protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        events.clear();
    }
};

TEST_F(ResourceKindsTest, EachKindHasItsOwnFolderAndExtension) {
    CShader::SetDirectory("Resource/Shader/");
    CShader::SetExtension(".hlsl");
    CEffect::SetDirectory("Resource/Effect/");
    CEffect::SetExtension(".fx");
    CModel::SetDirectory("Resource/Model/");
    CModel::SetExtension(".x");
    EXPECT_EQ(CShader::PathOf("Water"), "Resource/Shader/Water.hlsl");
    EXPECT_EQ(CEffect::PathOf("Water"), "Resource/Effect/Water.fx");
    EXPECT_EQ(CModel::PathOf("Water"), "Resource/Model/Water.x");
    EXPECT_EQ(CTexture::PathOf("Water"), folder.string() + "/Water.png") << "textures untouched";
}

TEST_F(ResourceKindsTest, AResetWithTheEmptyRegistriesChangesNothing) {
    platform::testing::StartTrace();
    ReleaseDeviceResources();
    RestoreDeviceResources();
    EXPECT_TRUE(CEffectRegistry::GetInstance()->effects.entries.empty());
    EXPECT_TRUE(CShaderRegistry::GetInstance()->shaders.entries.empty());
    EXPECT_TRUE(CModelRegistry::GetInstance()->models.entries.empty());
    EXPECT_EQ(CEffect::Get("Water"), nullptr);
    EXPECT_TRUE(CEffectRegistry::GetInstance()->effects.entries.empty()) << "Get adds nothing";
    EXPECT_TRUE(events.empty());
}

TEST_F(ResourceKindsTest, EffectsDropAndRebuildTheirDeviceStateInNameOrder) {
    auto& effects = CEffectRegistry::GetInstance()->effects.entries;
    effects["B"] = new CEffect;
    effects["B"]->effect = new RecordingEffect("B");
    effects["A"] = new CEffect;
    effects["A"]->effect = new RecordingEffect("A");
    effects["Empty"] = new CEffect;  // no interface
    effects["Released"] = nullptr;
    ReleaseDeviceResources();
    RestoreDeviceResources();
    EXPECT_EQ(events,
              (Strings{"A.OnLostDevice", "B.OnLostDevice", "A.OnResetDevice", "B.OnResetDevice"}));
    EXPECT_EQ(CEffect::Get("A")->effect != nullptr, true) << "effects keep their objects";
}

TEST_F(ResourceKindsTest, AnEffectReleasesItsInterface) {
    CEffect* effect = new CEffect;
    effect->effect = new RecordingEffect("E");
    delete effect;
    EXPECT_EQ(events, Strings{"E.Release"});
}

TEST_F(ResourceKindsTest, AShaderReleasesItsSecondInterfaceFirst) {
    CShader* shader = new CShader;
    shader->shaderInterface0 = new Recorder<ID3DXBuffer>("Code");
    shader->shaderInterface1 = new Recorder<ID3DXConstantTable>("Constants");
    delete shader;
    EXPECT_EQ(events, (Strings{"Constants.Release", "Code.Release"}));
}

TEST_F(ResourceKindsTest, AModelReleasesTexturesThenMeshThenBuffers) {
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTexture(device, 4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture),
              D3D_OK);
    texture->AddRef();  // our own, to see the model's go
    CModel* model = new CModel;
    model->count = 3;
    model->interfaces = new IDirect3DTexture9* [3] { texture, nullptr, nullptr };
    model->table0 = new D3DCOLOR[3]{};
    model->table1 = new DWORD[3]{};
    model->modelInterface = new Recorder<ID3DXMesh>("Mesh");
    model->extraInterface0 = new Recorder<ID3DXBuffer>("Adjacency");
    model->extraInterface1 = new Recorder<ID3DXBuffer>("Materials");
    model->extraInterface2 = new Recorder<ID3DXBuffer>("Effects");
    delete model;
    EXPECT_EQ(events, (Strings{"Mesh.Release", "Adjacency.Release", "Materials.Release",
                               "Effects.Release"}));
    EXPECT_EQ(texture->Release(), 0u) << "the model released its reference";
}

TEST_F(ResourceKindsTest, AnEmptyModelReleasesNothing) {
    delete new CModel;
    delete new CShader;
    delete new CEffect;
    EXPECT_TRUE(events.empty());
}

}  // namespace
